#pragma once
// The list of the user's slide shows, sorted by name in byte order; the current one is drawn
// on a coloured band.
#include "framework/controls/RBBitmapScroller.h"

namespace Ostrel {

class PickerProjectList : public RBBitmapScroller {
public:
    using RBBitmapScroller::RBBitmapScroller;
    // Sorts by byte order.
    void SortByName();
    int ItemCount() const { return GetCount(); }

protected:
    void DrawCell(int item, const Rect16& cell, bool selected) override;
};

}  // namespace Ostrel
