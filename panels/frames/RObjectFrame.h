#pragma once
// The frame maker's record of one page object that can be chosen: the object, and whether it
// stands by itself (visible) or an edit frame stands in its place. A press on the object's
// rectangle chooses it.
#include "document/objects/RPageObject.h"

namespace Ostrel {

class RObjectFrame {
public:
    RObjectFrame(RPageObject* object, bool hidden) : object_(object), visible_(hidden ? 0 : 1) {}

    RPageObject* Object() const { return object_; }
    bool IsVisible() const { return visible_ != 0; }
    // An edit frame stands in the record's place, or the record stands again by itself.
    void Hide() { visible_ = 0; }
    void Show() { visible_ = 1; }

private:
    RPageObject* object_;
    u16 visible_;
};

}  // namespace Ostrel
