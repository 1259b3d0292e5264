#pragma once
// Tells the user something while the program has no window of its own to show it in (it is
// failing to start): a line on the standard error stream, and the desktop's own message box,
// waiting for its OK, where the display shows one. The box may live in a child process of the
// display library's: that child ends with the program (a signal that ends the program while
// the box is up leaves no box behind), and on its own when the display goes, the program then
// going on without its box. Title and text are program text (cp1252).
// User-interface thread only.
#include <string>

namespace plat {

void showDesktopMessage(const std::string& title, const std::string& text, bool stop);

}  // namespace plat
