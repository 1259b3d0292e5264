#include "panels/frames/RMBitmapEditFrame.h"

#include "document/objects/RBitmapPageObject.h"
#include "document/pages/PagePainting.h"
#include "document/storage/ObjectTypes.h"
#include "engine/gfx/sprites/SprLayer.h"

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
    SprScreen* screen = sprScreen();
    if (screen && Object() && !rectEqual(frame, GetRect()) &&
        (Object()->Type() == kTypeBitmap || Object()->Type() == kTypeMovableBitmap) &&
        gfxLockPort(screen->workPort) == kErrNone) {
        GfxPixelDescriptor port{};
        GfxPixelDescriptor canvas{};
        if (screen->workPort->LockBits(&port) == kErrNone) {
            Rect16 inside = frame;
            rectInset(&inside, 1, 1);
            if (port.depth == 16 && port.base && portPart(port, Host().CanvasRect(), &canvas))
                paintPicture(canvas, static_cast<const RBitmapPageObject*>(Object())->picture, ToPage(inside),
                             Point16{0, 0});
            screen->workPort->UnlockBits(&port);
        }
        gfxUnlockPort(screen->workPort);
    }
    REditFrame::DrawOutline(frame);
}

}  // namespace Ostrel
