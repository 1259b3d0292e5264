#pragma once
// Finding words on the screen that the program writes in its widgets (the menu bar, its menus,
// dialogs' buttons): the word is drawn as the widgets draw it, in their font and colours, and
// looked for pixel for pixel. The journeys read menus and buttons this way, as a person reads them.
#include <string>

#include "tests/journeys/Shot.h"

// The widgets' grey and their text colour.
constexpr uint32_t kWidgetFace = 0xD4D0C8;
constexpr uint32_t kWidgetText = 0x000000;

// Where UTF-8 `text` is written inside `within` (the box of its ink); zero-sized when it is not.
Area findWidgetText(const Shot& shot, const std::string& text, const Area& within, uint32_t ink = kWidgetText,
                    uint32_t paper = kWidgetFace);
