#pragma once
// A thumbnail strip: one engine bitmap per item, drawn into its cell, the selected cell framed.
// Created on its layout, arrow and first hot-spot ids (RScroller::Create). User-interface
// thread only.
#include <vector>

#include "framework/controls/RScroller.h"
#include "framework/controls/ScrollerPicture.h"

namespace Ostrel {

class RBitmapScroller : public RScroller {
public:
    RBitmapScroller(CListener* owner, u16 layoutShape, u16 arrowShape, u16 firstHotSpotId);

    // Takes the pictures over, releasing the earlier ones.
    void SetItems(std::vector<ScrollerPicture> items);
    // Null for an index past the items.
    const ScrollerPicture* GetItem(int index) const;

protected:
    void DrawCell(int item, const Rect16& cell, bool selected) override;
    const std::vector<ScrollerPicture>& Items() const { return items_; }

private:
    std::vector<ScrollerPicture> items_;
};

}  // namespace Ostrel
