#include "app/dialogs/DialogTextBox.h"

#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/sprites/SprLayer.h"

namespace Ostrel {

void DrawDialogText(const Rect16& rect, const std::string& text, const DialogTextStyle& style) {
    if (text.empty()) return;
    GfxFont* font = gfxNewFont(style.face, style.size, 0);
    GfxFont* previousFont = font ? gfxSetFont(font) : nullptr;
    GfxColor previousColour{};
    gfxSetForeColor(&previousColour, style.colour);
    gfxDrawTextBox(rect, style.flags, text.c_str(), u16(text.size()));
    GfxColor ours{};
    gfxSetForeColor(&ours, previousColour);
    if (font) {
        gfxSetFont(previousFont);
        gfxDisposeFont(font);
    }
}

Rect16 FirstPartRect(u16 partsId) {
    Rect16 rects[kSprMaxParts];
    return sprGetShapePartRects(partsId, rects) > 0 ? rects[0] : Rect16{0, 0, 0, 0};
}

}  // namespace Ostrel
