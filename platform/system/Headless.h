#pragma once
// Whether the program runs without a screen, speakers or printer: every platform service asks
// here once at start-up and takes its headless backend when the answer is yes. Tests and CI
// ask for it with TUMBLO_HEADLESS=1; a session with neither an X nor a Wayland display gets
// it too, since no service can reach the user there. A service whose real backend cannot
// start still falls back to its headless one by itself.
namespace plat {

bool headlessRequested();
// Whether it was asked for by name (TUMBLO_HEADLESS=1), not only for want of a display: a
// program that shows a window cannot start without one.
bool headlessAskedFor();

}  // namespace plat
