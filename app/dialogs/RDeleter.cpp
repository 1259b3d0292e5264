#include "app/dialogs/RDeleter.h"

#include "engine/gfx/sprites/SprLayer.h"

namespace Ostrel {

RDeleter::~RDeleter() {
    if (messageSprite_) sprDispose(&messageSprite_);
}

i16 RDeleter::Open(u16 messageId) {
    if (Run(kDeleterContent, kDeleterLayout) != 0) return 1;
    if (messageId >= kDeleterFirstMessage && messageId <= kDeleterLastMessage) {
        messageSprite_ = sprNew(kDialogRootSpriteFlags, messageId, nullptr);
        if (messageSprite_ == kSprNoId)
            messageSprite_ = 0;
        else if (GetRootSprite())
            sprSetLayerById(messageSprite_, 1, GetRootSprite());
    }
    sprUpdateScreen(1);
    return 0;
}

u32 RDeleter::HandleMessage(RMessage* message, uintptr_t data) {
    switch (message->code) {
    case kDlgResultLeave:
    case kDlgResultConfirm: Answer(u16(message->code), reinterpret_cast<uintptr_t>(this), u16(message->code)); return 0;
    default: return RDlgBase::HandleMessage(message, data);
    }
}

}  // namespace Ostrel
