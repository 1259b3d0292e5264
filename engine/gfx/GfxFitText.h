#pragma once
// A text fitted to one line of a given width in the current port's font, for names shown in a
// box that must not break them over lines. User-interface thread only.
#include <string>

#include "engine/base/EngineTypes.h"

// Whole when it fits; else as many of its first whole characters as leave room for an ellipsis
// after them, without the blanks before it.
std::string gfxFitTextToWidth(const std::string& text, i32 width);
