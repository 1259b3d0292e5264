#pragma once
// The steps most journeys take through the program, each waiting until the program shows that
// it has taken the step: logging in from the splash, choosing from the menu bar, picking a
// colour from the easel's palette, painting on the canvas.
#include <string>

#include "tests/journeys/Journey.h"
#include "tests/journeys/ScreenPlan.h"
#include "tests/journeys/WidgetText.h"

// The colour of the easel's blank page.
constexpr uint32_t kPaper = 0xF8F8F8;

inline Area canvasArea() { return planned("easel.canvas"); }
inline Area menuBarArea() { return {0, 0, 800, kMenuBarHeight}; }
// A library panel's first thumbnail, right of its paging arrow, and the step to the next.
constexpr int32_t kFirstThumbnailX = 286, kFirstThumbnailY = 575, kThumbnailPitch = 72;

// A home folder whose settings file is the program's own with the Teacher menu allowed, its lines
// ended as `newline` ends them.
std::filesystem::path seedTeacherSettings(const Journey& j, const std::string& newline);

// Pixels of the canvas that are not blank paper.
int paintedPixels(const Shot& shot);

// From the splash (or the login after a restart) to the login's name field, the name `name`
// typed there and given with Return.
testing::AssertionResult giveName(Journey& j, const std::string& name);
// From the splash (or the login after a restart) to the easel of the user `name`, typed in the
// login's name field.
testing::AssertionResult logIn(Journey& j, const std::string& name);
// Opens a menu by its title in the bar and chooses an item by its text, both in the current
// language.
testing::AssertionResult chooseMenu(Journey& j, const std::string& title, const std::string& item);
// What the menus write for an item that cannot be chosen now.
constexpr uint32_t kGreyText = 0x808080;
// Opens a menu of the bar, waits for one of its items written in `ink`, and closes the menu.
testing::AssertionResult menuShowsItem(Journey& j, const std::string& title, const std::string& item, uint32_t ink);
// Opens a tool bar panel by its button's name in the screen plan; waits until it is drawn.
testing::AssertionResult openPanel(Journey& j, const std::string& button);
// Waits until the widgets write UTF-8 `text` on `paper` (a button; white: a list line) and clicks it.
testing::AssertionResult clickText(Journey& j, const std::string& text, uint32_t paper = kWidgetFace);
// `movie`'s video `stream` at `seconds` as ffmpeg decodes it, sized as `area`; empty when there is none.
Shot movieFrame(const std::filesystem::path& movie, const Area& area, double seconds = 0, int stream = 0);
// Opens the colour swatch's palette and picks its first colour that `wanted` accepts; answers the
// colour picked, as the palette showed it (0 when none was picked, with a failure).
uint32_t pickColour(Journey& j, const std::function<bool(uint32_t)>& wanted);
