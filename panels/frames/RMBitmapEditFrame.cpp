#include "panels/frames/RMBitmapEditFrame.h"

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

}  // namespace Ostrel
