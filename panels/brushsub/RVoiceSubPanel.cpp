#include "panels/brushsub/RVoiceSubPanel.h"

namespace Ostrel {
namespace {

constexpr i16 kVoiceBrushFirst = 45;
constexpr i16 kHandsFreeFirst = 55;
constexpr i16 kHandsFreeEnd = 65;

}  // namespace

// The strip has no buttons of its own: its message base names no button set.
RVoiceSubPanel::RVoiceSubPanel(CListener* owner, u16 subMode) : RScrollToolPanel(owner, nullptr), subMode_(subMode) {
    SetMessageBase(0);
}

i16 RVoiceSubPanel::FirstToolIndex() const { return subMode_ == kBrushModeVoice ? kVoiceBrushFirst : kHandsFreeFirst; }

i16 RVoiceSubPanel::EndToolIndex() const { return subMode_ == kBrushModeVoice ? kHandsFreeFirst : kHandsFreeEnd; }

u32 RVoiceSubPanel::HandleMessage(RMessage* message, uintptr_t data) {
    if (message->code == kMsgScrollerHit) {
        if (GetOwner() != nullptr) GetOwner()->HandleMessage(message, data);
        return 0;
    }
    return RScrollToolPanel::HandleMessage(message, data);
}

}  // namespace Ostrel
