#include "panels/brushsub/RSpraySubPanel.h"

#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprShapes.h"
#include "panels/brushsub/PatternStrip.h"
#include "panels/brushsub/RBrushSubPanel.h"
#include "tools/base/ToolNames.h"

namespace Ostrel {

// The strip has no buttons of its own: its message base names no button set.
RSpraySubPanel::RSpraySubPanel(CListener* owner) : RScrollToolPanel(owner, nullptr) { SetMessageBase(0); }

RSpraySubPanel::~RSpraySubPanel() {
    DisposeSprites();
    ReleasePattern();
}

void RSpraySubPanel::Start(int item) {
    InitScroller(kBrushStripLayout, -1);
    SetPictureItems(LoadPatternPictures());
    if (GetOwner() != nullptr) {
        RMessage hit(kMsgScrollerHit, 0, u16(kToolIdSprayGun));
        hit.sender = this;
        GetOwner()->HandleMessage(&hit, 0);
    }
    // An empty strip selects nothing and chooses no pattern.
    const int chosen = item >= 0 && item < ItemCount() ? item : 0;
    SelectItem(chosen);
    ChoosePattern(chosen);
}

void RSpraySubPanel::DisposeSprites() {
    for (SprayPatternEntry& entry : table_) {
        if (entry.spriteId != 0) sprDispose(&entry.spriteId);
        entry = SprayPatternEntry{};
    }
}

void RSpraySubPanel::ReleasePattern() {
    if (loadedGroup_ == 0) return;
    sprReleaseGroup(loadedGroup_, 0);
    loadedGroup_ = 0;
}

void RSpraySubPanel::ChoosePattern(int item) {
    if (item < 0 || item >= ItemCount() || size_t(item) >= table_.size()) return;
    DisposeSprites();
    ReleasePattern();
    const u16 group = PatternGroupOfItem(item);
    const u16 slot = group == 0 ? kSprNoSlot : sprLoadGroup(group, kSprEveryScript, 0, 1, kSprFirstIsGroupId);
    Say(kMsgSprayItemChosen, 0, u16(item));
    // Without its group the gun is told of no group: it sprays plain dots, not the pattern before.
    if (slot != kSprNoSlot) loadedGroup_ = group;
    RMessage pattern(kMsgSprayPatternChosen, loadedGroup_, slot);
    pattern.sender = this;
    Broadcast(&pattern, reinterpret_cast<uintptr_t>(&table_[size_t(item)]));
}

u32 RSpraySubPanel::HandleMessage(RMessage* message, uintptr_t data) {
    if (message->code == kMsgScrollerHit) {
        ChoosePattern(message->param2);
        return 0;
    }
    return RScrollToolPanel::HandleMessage(message, data);
}

}  // namespace Ostrel
