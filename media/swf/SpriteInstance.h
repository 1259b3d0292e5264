#pragma once
// swf::tagSprite, one placement of a DefineSprite: a display-list instance that plays the
// sprite's nested document as its own timeline under its entry. It is made by the sprite's
// Instantiate and deletes itself when its entry releases it.
#include "media/swf/NameTree.h"
#include "media/swf/Timeline.h"

namespace swf {

class tagDefineSprite;

class tagSprite final : public NameTreeInstance, public movie {
public:
    tagSprite(tagDefineSprite& definition, movie& parent, u32 entry);
    ~tagSprite() override;

    void ReleaseInstance(NameTree& tree, u32 index) override;
    tagDefineSprite& Definition() const { return definition_; }

private:
    tagDefineSprite& definition_;
};

}  // namespace swf
