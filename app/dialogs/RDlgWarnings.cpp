#include "app/dialogs/RDlgWarnings.h"

#include "engine/gfx/sprites/SprLayer.h"

namespace Ostrel {

RDlgWarnings::~RDlgWarnings() {
    items_.Clear();
    if (messageSprite_) sprDispose(&messageSprite_);
}

bool RDlgWarnings::HasItemButtons(u16 messageId) {
    return messageId == 7540 || (messageId >= 7542 && messageId <= kWarningLastMessage);
}

i16 RDlgWarnings::Open(u16 messageId) {
    if (Run(kWarningsContent, kWarningsLayout) != 0) return 1;
    messageId_ = messageId;
    if (messageId >= kWarningFirstMessage && messageId <= kWarningLastMessage) {
        messageSprite_ = sprNew(kDialogRootSpriteFlags, messageId, nullptr);
        if (messageSprite_ == kSprNoId) messageSprite_ = 0;
        if (messageSprite_ && GetRootSprite()) sprSetLayerById(messageSprite_, 1, GetRootSprite());
    }
    if (HasItemButtons(messageId)) {
        items_.Build(this, kWarningsItemButtonSet);
        if (messageSprite_) items_.SetLayer(messageSprite_);
        if (RHotSpotList* list = items_.List()) {
            list->ApplyToGroups(kWarningsItemGroup, 0, kGroupHide);
            for (int i = 0; i < list->Count(); ++i) list->GetHotSpot(i)->Enable();
        }
        items_.ShowSet(kWarningsItemGroup, kNoHiddenButton);
        // The items answer this question: the dialog's own buttons take no clicks meanwhile,
        // and they go out of sight, since the layout draws them where the items stand (in
        // front of the message and its items, which sit just over the dialog's sprite).
        ButtonSet().HideSet();
    }
    sprUpdateScreen(1);
    return 0;
}

u32 RDlgWarnings::HandleMessage(RMessage* message, uintptr_t data) {
    switch (message->code) {
    case kDlgResultLeave:
    case kDlgResultConfirm:
    case kWarningResultYes:
    case kWarningResultNo: Answer(u16(message->code), reinterpret_cast<uintptr_t>(this), u16(message->code)); return 0;
    default: return RDlgBase::HandleMessage(message, data);
    }
}

}  // namespace Ostrel
