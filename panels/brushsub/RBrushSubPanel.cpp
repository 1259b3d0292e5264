#include "panels/brushsub/RBrushSubPanel.h"

#include "framework/controls/RColorPicker.h"

namespace Ostrel {
namespace {

constexpr i16 kRealBrushFirst = 0;
constexpr i16 kWackyBrushFirst = 20;
constexpr i16 kWackyBrushEnd = 45;

}  // namespace

// The strip has no buttons of its own: its message base names no button set.
RBrushSubPanel::RBrushSubPanel(CListener* owner, u16 subMode) : RScrollToolPanel(owner, nullptr), subMode_(subMode) {
    SetMessageBase(0);
}

i16 RBrushSubPanel::FirstToolIndex() const { return subMode_ == kBrushModeReal ? kRealBrushFirst : kWackyBrushFirst; }

i16 RBrushSubPanel::EndToolIndex() const { return subMode_ == kBrushModeReal ? kWackyBrushFirst : kWackyBrushEnd; }

u32 RBrushSubPanel::HandleMessage(RMessage* message, uintptr_t data) {
    if (message->code == kMsgScrollerHit) {
        if (GetOwner() != nullptr) GetOwner()->HandleMessage(message, data);
        return 0;
    }
    if (message->code == kMsgColorChosen || message->code == kMsgColorSet) {
        // The real-media icons show the brush's stroke; they are drawn again in the new colour.
        if (subMode_ == kBrushModeReal && GetScroller() != nullptr) GetScroller()->Refresh(kRefreshAll);
        return 0;
    }
    return RScrollToolPanel::HandleMessage(message, data);
}

}  // namespace Ostrel
