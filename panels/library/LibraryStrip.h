#pragma once
// The library panel's thumbnail strip: a press on a thumbnail that is let go outside its cell
// is a drag, posted to the owner as kMsgLibraryItemDropped with the point and the item.
#include "framework/controls/RBitmapScroller.h"

namespace Ostrel {

class LibraryStrip : public RBitmapScroller {
public:
    using RBitmapScroller::RBitmapScroller;

protected:
    void CellDragged(int item, Point16 point) override;
};

// The point a drop message packs in its parameter 1, and back.
uintptr_t PackDropPoint(Point16 point);
Point16 UnpackDropPoint(uintptr_t packed);

}  // namespace Ostrel
