#include "framework/messaging/mfDispatcher.h"

#include "framework/messaging/CListener.h"
#include "framework/messaging/RSender.h"

size_t mfDispatcher::DispatchQueuedMessages() {
    const uint64_t last = queue_.LastPosted();
    size_t delivered = 0;
    for (;;) {
        // Each record, with its payload, ends once it has been handled.
        Ostrel::RMessage message;
        if (!queue_.TakeOldest(last, &message)) break;
        if (message.target) {
            message.target->HandleMessage(&message, 0);
        } else if (message.sender) {
            message.sender->Broadcast(&message, 0);
        }
        ++delivered;
    }
    return delivered;
}
