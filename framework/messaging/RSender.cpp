#include "framework/messaging/RSender.h"

#include "framework/messaging/mfMessageQueue.h"

namespace Ostrel {

RSender::~RSender() { mfMessageQueue::Global().PurgeSender(this); }

void RSender::PostMessage(u32 code, uintptr_t param1, u16 param2) { PostRecord(RMessage(code, param1, param2)); }

void RSender::PostMessageTo(CListener* target, u32 code, uintptr_t param1, u16 param2) {
    RMessage message(code, param1, param2);
    message.target = target;
    PostRecord(message);
}

void RSender::PostRecord(const RMessage& message) {
    RMessage posted = message;
    posted.sender = this;
    mfMessageQueue::Global().Post(posted);
}

}  // namespace Ostrel
