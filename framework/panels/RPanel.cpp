#include "framework/panels/RPanel.h"

#include "engine/gfx/sprites/SprLayer.h"

namespace Ostrel {

RPanel::RPanel(CListener* owner, FourCC tag) : RSender(tag), owner_(owner) {
    if (owner_ != nullptr) AddListener(owner_);
}

RPanel::~RPanel() {
    // Buttons before the list that holds their items.
    buttons_.clear();
    hotSpots_.reset();
    if (panelSprite_ != 0 && panelSprite_ != kSprNoId) sprDispose(&panelSprite_);
}

u16 RPanel::Init() {
    if (hotSpots_ == nullptr) hotSpots_ = std::make_unique<RHotSpotList>(this);
    // The frame is a still picture: stopped at the end of its script, it is not stepped (and
    // the whole panel redrawn) again and again while nothing changes.
    if (frameShape_ != 0 && panelSprite_ == 0) panelSprite_ = sprNew(kSprBackLayer | kSprStopAtEnd, frameShape_, nullptr);
    return CreateButtons(messageBase_);
}

u16 RPanel::CreateButtons(u16 setId) {
    buttons_.clear();
    return AddButtons(setId, &buttons_);
}

u16 RPanel::AddButtons(u16 setId, RButtonSet* out) {
    if (hotSpots_ == nullptr) hotSpots_ = std::make_unique<RHotSpotList>(this);
    EngineErr err = kErrNone;
    RButtonSet added = LoadButtonsFromKVR(this, hotSpots_.get(), setId, kButtonSpriteFlags, &err);
    if (err != kErrNone) return err;
    DrawButtons(added);
    for (auto& button : added) out->push_back(std::move(button));
    return 0;
}

int RPanel::FindButtonByCommand(u16 command) const { return Ostrel::FindButtonByCommand(buttons_, command); }

void RPanel::SetButtonsEnabled(bool enabled) {
    active_ = enabled;
    if (hotSpots_ == nullptr) return;
    // Every set the panel loaded keeps its hot spots in this list.
    for (int i = 0; i < hotSpots_->Count(); ++i) {
        RHotSpotItem* item = hotSpots_->GetHotSpot(i);
        if (enabled)
            item->Enable();
        else
            item->Disable();
    }
}

u16 RPanel::SavePrefs() { return 0; }
u16 RPanel::RestorePrefs() { return 0; }
u16 RPanel::RemoveFrameMaker() { return 0; }

void RPanel::CreateFrameMaker() {}

u32 RPanel::HandleMessage(RMessage* message, uintptr_t) {
    if (message->code == kMsgPanelSetActive) {
        SetButtonsEnabled(message->param2 != 0);
        return 1;
    }
    return 0;
}

}  // namespace Ostrel
