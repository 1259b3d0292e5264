#pragma once
// Where things are: the content set's one plan of the 800 x 600 screen
// (contentgen/manifests/layout.json, "easel.tool.Paint" and the like), placed where the screen
// lies in the program's window, below its menu bar. A name the plan lacks fails the test.
#include <string>

#include "tests/journeys/Shot.h"

// The screen's place in the window: below the menu bar.
constexpr int32_t kScreenTop = 20;
constexpr int32_t kMenuBarHeight = 20;
// The whole screen, and the No of the program's yes-or-no questions (the save question).
constexpr Area kScreen{0, kScreenTop, 800, 600};
constexpr Area kQuestionNo{389, kScreenTop + 377, 20, 20};

Area planned(const std::string& name);
