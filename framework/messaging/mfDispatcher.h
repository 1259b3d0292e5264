#pragma once
// Delivers queued message records from the idle step: each record that waited when the step
// began goes to its target, or, without one, to every enabled listener of its sender (through
// the sender's broadcast). Records posted during delivery wait for the next step, so a
// handler that posts never runs inside the code that posted. User-interface thread only.
#include <cstddef>

#include "framework/messaging/mfMessageQueue.h"

class mfDispatcher {
public:
    explicit mfDispatcher(mfMessageQueue& queue = mfMessageQueue::Global()) : queue_(queue) {}

    // Returns how many records were delivered.
    size_t DispatchQueuedMessages();

private:
    mfMessageQueue& queue_;
};
