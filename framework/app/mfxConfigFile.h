#pragma once
// The program's configuration file: the program runs only beside it; without it the
// executable is an updater.
constexpr char kMfxConfigFileName[] = "TB.cfg";
