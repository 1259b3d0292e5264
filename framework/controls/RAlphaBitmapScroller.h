#pragma once
// A strip of alpha masks drawn in the current paint colour, so the icons follow the colour the
// user picked. Items come as masks or as the ids of masks stored as 'tBMP' resources.
// User-interface thread only.
#include <vector>

#include "framework/controls/RBitmapScroller.h"

namespace Ostrel {

class RAlphaBitmapScroller : public RBitmapScroller {
public:
    using RBitmapScroller::RBitmapScroller;

    using RBitmapScroller::SetItems;
    // Reads each 'tBMP' of the open archives; a missing id ends the list. Returns the count.
    int SetItems(const std::vector<u16>& pictureIds);

protected:
    void DrawCell(int item, const Rect16& cell, bool selected) override;
};

}  // namespace Ostrel
