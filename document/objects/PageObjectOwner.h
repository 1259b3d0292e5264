#pragma once
// What an object tells the page that holds it: an edit made through the object itself (a text
// rewritten in its editor) leaves the page different from what was saved.

namespace Ostrel {

class PageObjectOwner {
public:
    virtual void MarkModified() = 0;

protected:
    ~PageObjectOwner() = default;
};

}  // namespace Ostrel
