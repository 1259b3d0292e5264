#include "panels/frames/RMBitmapEditFrame.h"

#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "media/objects/PictureSprite.h"

namespace Ostrel {

Rect16 RMBitmapEditFrame::GetRect() const {
    if (!Object()) return {0, 0, 0, 0};
    Rect16 frame = ToScreen(Object()->rect);
    rectInset(&frame, -1, -1);
    return frame;
}

bool RMBitmapEditFrame::WriteBack(const Rect16& frame) {
    if (!Object()) return false;
    Rect16 inside = frame;
    rectInset(&inside, 1, 1);
    Object()->rect = ToPage(inside);
    Object()->changed = true;
    Host().ObjectsChanged();
    PlaceHandles(GetRect());
    return true;
}

void RMBitmapEditFrame::DrawOutline(const Rect16& frame) const {
    // While it is moved or resized, the picture follows the pointer, drawn by its sprite's
    // bitmap media scaled into the frame.
    const SprScreen* screen = sprScreen();
    const auto* picture = Object() ? dynamic_cast<const PictureSprite*>(Object()->Media()) : nullptr;
    if (screen && picture && !rectEqual(frame, GetRect())) {
        Rect16 inside = frame;
        rectInset(&inside, 1, 1);
        GfxPort* previous = gfxSetPort(screen->workPort);
        picture->DrawScaled(inside);
        gfxSetPort(previous);
    }
    REditFrame::DrawOutline(frame);
}

}  // namespace Ostrel
