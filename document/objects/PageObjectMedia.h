#pragma once
// What plays an object on the screen (an animation's or a movie's player): the object tells it
// when it goes, so that a player never reaches an object that a delete, an undo or a flatten
// has already freed.

namespace Ostrel {

class PageObjectMedia {
public:
    virtual void ObjectGone() = 0;

protected:
    ~PageObjectMedia() = default;
};

}  // namespace Ostrel
