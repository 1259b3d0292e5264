#pragma once
// Draws a dialog's text (a teacher's note, a help page) word-wrapped into a rectangle in a
// named face, size and colour, putting the port's font and colour back afterwards.
#include <string>

#include "engine/gfx/GfxColor.h"
#include "engine/regions/Rects.h"

namespace Ostrel {

struct DialogTextStyle {
    const char* face = "Helvetica";
    u16 size = 18;
    GfxColor colour = GfxColor::rgb(0, 0, 0);
    u16 flags = 0x11;  // centred, word wrap
};

void DrawDialogText(const Rect16& rect, const std::string& text, const DialogTextStyle& style);
// The first rectangle of a parts list of the open layouts; empty when it has none.
Rect16 FirstPartRect(u16 partsId);

}  // namespace Ostrel
