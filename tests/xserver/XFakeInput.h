#pragma once
// Input a user would give, sent to an X server through its test extension, so that the
// clients see real device events. Kept apart from the tests: Xlib's macros clash with
// GoogleTest's names. Each call waits until the server has taken the input.
#include <cstdint>
#include <string>

// Moves the pointer to a screen position, gives the keyboard focus to the window there and
// clicks the left button. False when the server cannot be reached or lacks the extension.
bool fakeClickAndFocus(const std::string& display, int32_t x, int32_t y);
// Types one key given by its keysym name ("a", "Return"), with Shift held when asked.
bool fakeKey(const std::string& display, const char* keysymName, bool shift);
