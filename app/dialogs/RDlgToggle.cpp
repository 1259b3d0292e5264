#include "app/dialogs/RDlgToggle.h"

#include "app/dialogs/StorePageSettings.h"
#include "document/pages/RPage.h"
#include "engine/gfx/sprites/SprLayer.h"

namespace Ostrel {

namespace {

constexpr std::array<u16, 2> kToggleButtons{kToggleFirstButton, kToggleSecondButton};

}  // namespace

i16 RDlgToggle::Open(RPage* page) {
    if (!page) return 1;
    if (Run(kToggleContent, kToggleLayout) != 0) return 1;
    page_ = page;
    flags_ = {page->settings.playSounds, page->settings.readAloud};
    for (size_t i = 0; i < kToggleButtons.size(); ++i) {
        RButton* button = ButtonSet().Find(kToggleButtons[i]);
        if (!button) return 1;
        // A switch that is on shows its button pressed in.
        if (flags_[i] != 0) {
            button->HandleEvent(kHsEventEnter, true);
            button->HandleEvent(kHsEventClick, true);
        }
        ShowSwitch(i);
    }
    sprUpdateScreen(1);
    return 0;
}

void RDlgToggle::ShowSwitch(size_t which) {
    RButton* button = ButtonSet().Find(kToggleButtons[which]);
    if (!button) return;
    const u16 off = kToggleButtons[which];
    button->SetLook(off, u16(off + (flags_[which] ? kToggleOnLit : kToggleOffLit)), u16(off + kToggleOn));
}

void RDlgToggle::Confirm() {
    if (page_) {
        page_->settings.playSounds = flags_[0];
        page_->settings.readAloud = flags_[1];
        StorePageSettings(*page_);
    }
    Answer(kDlgResultConfirm, reinterpret_cast<uintptr_t>(this), kDlgResultConfirm);
}

u32 RDlgToggle::HandleMessage(RMessage* message, uintptr_t data) {
    switch (message->code) {
    case kDlgResultLeave: Answer(kDlgResultLeave, reinterpret_cast<uintptr_t>(this), kDlgResultLeave); return 0;
    case kDlgResultConfirm: Confirm(); return 0;
    case kToggleCmdFirst:
    case kToggleCmdSecond: {
        const size_t which = message->code == kToggleCmdFirst ? 0 : 1;
        flags_[which] = flags_[which] ? 0 : 1;
        ShowSwitch(which);
        return 0;
    }
    default: return RDlgBase::HandleMessage(message, data);
    }
}

}  // namespace Ostrel
