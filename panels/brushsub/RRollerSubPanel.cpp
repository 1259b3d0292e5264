#include "panels/brushsub/RRollerSubPanel.h"

#include "engine/gfx/sprites/SprShapes.h"
#include "panels/base/ToolPanelCommands.h"
#include "panels/brushsub/PatternStrip.h"
#include "panels/brushsub/RBrushSubPanel.h"
#include "tools/base/RToolMgr.h"

namespace Ostrel {

// The strip has no buttons of its own: its message base names no button set.
RRollerSubPanel::RRollerSubPanel(CListener* owner) : RScrollToolPanel(owner, nullptr) { SetMessageBase(0); }

RRollerSubPanel::~RRollerSubPanel() {
    // The roller goes before its group: the manager lets go of it first ('kild').
    DropCurrentTool();
    ReleasePattern();
}

void RRollerSubPanel::Start(int item) {
    InitScroller(kBrushStripLayout, -1);
    SetPictureItems(LoadPatternPictures());
    startItem_ = item;
    PostMessageTo(this, kMsgRollerStart);
}

void RRollerSubPanel::BuildRoller() {
    // The brush panel drops its own tool and builds none for this choice.
    if (GetOwner() != nullptr) {
        RMessage hit(kMsgScrollerHit, 1, 0);
        hit.sender = this;
        GetOwner()->HandleMessage(&hit, 0);
    }
    DropCurrentTool();
    if (!ActivateTool(std::make_unique<RCyclic>())) return;
    AnnounceTool(GetCurrentTool());
    // An empty strip selects nothing and chooses no pattern.
    const int item = startItem_ >= 0 && startItem_ < ItemCount() ? startItem_ : 0;
    SelectItem(item);
    ChoosePattern(item);
}

void RRollerSubPanel::ReleasePattern() {
    if (loadedGroup_ == 0) return;
    sprReleaseGroup(loadedGroup_, 0);
    loadedGroup_ = 0;
}

void RRollerSubPanel::ChoosePattern(int item) {
    if (item < 0 || item >= ItemCount()) return;
    ReleasePattern();
    const u16 group = PatternGroupOfItem(item);
    const u16 slot = group == 0 ? kSprNoSlot : sprLoadGroup(group, kSprEveryScript, 0, 1, kSprFirstIsGroupId);
    if (slot != kSprNoSlot) loadedGroup_ = group;
    if (RCyclic* roller = GetRoller()) {
        // Without its group the roller lays nothing rather than another group's frames.
        roller->SetShapeGroup(slot, slot != kSprNoSlot ? 1 : 0, group);
        roller->LoadCycle();
    }
    Say(kMsgRollerItemChosen, 0, u16(item));
}

u32 RRollerSubPanel::HandleMessage(RMessage* message, uintptr_t data) {
    switch (message->code) {
        case kMsgRollerStart: BuildRoller(); return 0;
        case kMsgScrollerHit: ChoosePattern(message->param2); return 0;
        case kMsgPanelReadSettingsAgain:
            if (RCyclic* roller = GetRoller()) roller->FindShapeGroup();
            return 0;
        default: return RScrollToolPanel::HandleMessage(message, data);
    }
}

}  // namespace Ostrel
