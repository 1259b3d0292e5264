#pragma once
// One placement of a DefineButton: the state whose records show under its entry, and its
// place in the player's button list. Every placement has its own instance, so a button placed
// twice shows and goes twice. Made by the button's Instantiate; deletes itself when its entry
// releases it.
#include "media/swf/NameTree.h"

namespace swf {

class movie;
class tagDefineButton;

class buttonInstance final : public NameTreeInstance {
public:
    buttonInstance(tagDefineButton& definition, movie& timeline, u32 entry);

    void ReleaseInstance(NameTree& tree, u32 index) override;
    // Takes the records of the state set (button::kStateUp ...) out and puts the new set's in.
    Result SwitchState(u8 states);

    tagDefineButton& Definition() const { return definition_; }
    u32 Entry() const { return entry_; }
    u8 States() const { return states_; }

private:
    tagDefineButton& definition_;
    movie& timeline_;
    u32 entry_;
    u8 states_ = 0;
};

}  // namespace swf
