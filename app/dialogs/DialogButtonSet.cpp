#include "app/dialogs/DialogButtonSet.h"

#include "engine/gfx/sprites/SprLayer.h"

namespace Ostrel {

DialogButtonSet::~DialogButtonSet() { Clear(); }

void DialogButtonSet::Build(CListener* owner, u16 setId) {
    Clear();
    list_ = std::make_unique<RHotSpotList>(owner);
    buttons_ = LoadButtonsFromKVR(owner, list_.get(), setId, kButtonSpriteFlags);
    DrawButtons(buttons_);
}

void DialogButtonSet::Clear() {
    buttons_.clear();
    list_.reset();
}

RButton* DialogButtonSet::Find(u16 id) const {
    const int index = FindButtonByCommand(buttons_, id);
    return index < 0 ? nullptr : buttons_[size_t(index)].get();
}

void DialogButtonSet::SetLayer(u16 layerSprite) {
    for (const auto& button : buttons_) sprSetLayerById(button->GetSprite(), 1, layerSprite);
}

void DialogButtonSet::ShowSet(u16 group, u16 hiddenId) {
    if (list_) {
        // The set's own group comes to the front of the input objects.
        list_->MoveToFront();
        list_->ApplyToGroups(group, 0, kGroupEnable);
    }
    for (const auto& button : buttons_) {
        if (button->GetCommand() == hiddenId) {
            if (RHotSpotItem* item = button->GetHotSpot()) item->Deactivate(kHsReasonDisabled);
            button->EnableHotSpot(false);
            button->Hide();
            continue;
        }
        button->Show();
        if ((button->GetRecord().flags & kButtonFlagDisabled) != 0) button->EnableHotSpot(false);
    }
}

void DialogButtonSet::HideSet() {
    for (const auto& button : buttons_) {
        if (RHotSpotItem* item = button->GetHotSpot()) item->Deactivate(kHsReasonDeactivated);
        button->Hide();
    }
}

bool DialogButtonSet::Enable(u16 id) {
    RButton* button = Find(id);
    if (!button) return false;
    button->EnableHotSpot(true);
    button->Draw();
    return true;
}

bool DialogButtonSet::Disable(u16 id) {
    RButton* button = Find(id);
    if (!button) return false;
    if (RHotSpotItem* item = button->GetHotSpot()) item->Deactivate(kHsReasonDisabled);
    button->EnableHotSpot(false);
    button->HandleEvent(kHsEventReset, true);
    return true;
}

bool DialogButtonSet::IsEnabled(u16 id) const {
    const RButton* button = Find(id);
    return button && button->GetHotSpot() && button->GetHotSpot()->IsActive();
}

void DialogButtonSet::ReleaseGroup(u16 group, const RHotSpotItem* kept) {
    if (group == 0) return;
    for (const auto& button : buttons_) {
        const RHotSpotItem* item = button->GetHotSpot();
        if (item == nullptr || item == kept || item->GetGroup() != group) continue;
        if (button->GetState() != kButtonUp) button->HandleEvent(kHsEventReset, true);
    }
}

}  // namespace Ostrel
