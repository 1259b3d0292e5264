#pragma once
// The frame maker's record of one page object that can be chosen: the object, the rectangle
// on the screen where a press chooses it, and whether it stands by itself (visible) or an
// edit frame stands in its place.
#include "document/objects/RPageObject.h"
#include "engine/regions/Rects.h"

namespace Ostrel {

class RObjectFrame {
public:
    RObjectFrame(RPageObject* object, const Rect16& rect, bool hidden)
        : object_(object), rect_(rect), visible_(hidden ? 0 : 1) {}

    RPageObject* Object() const { return object_; }
    const Rect16& Rect() const { return rect_; }
    bool IsVisible() const { return visible_ != 0; }
    // An edit frame stands in the record's place, or the record stands again by itself.
    void Hide() { visible_ = 0; }
    void Show() { visible_ = 1; }
    void SetBounds(const Rect16& rect) { rect_ = rect; }

private:
    RPageObject* object_;
    Rect16 rect_;
    u16 visible_;
};

}  // namespace Ostrel
