#pragma once
// Listeners that write what they hear into one shared log, so a test can compare the order
// of deliveries with the order it expects, and run an action from inside a delivery.
#include <functional>
#include <string>
#include <vector>

#include "framework/messaging/CListener.h"
#include "framework/messaging/RMessage.h"
#include "framework/messaging/mfMessageQueue.h"

namespace fwtest {

using Log = std::vector<std::string>;

class Recorder : public CListener {
public:
    Recorder(Log& log, std::string name) : log_(log), name_(std::move(name)) {}
    u32 HandleMessage(Ostrel::RMessage* message, uintptr_t data) override {
        log_.push_back(name_ + ":" + std::to_string(message->code));
        last = *message;
        lastData = data;
        if (onMessage) onMessage(*message);
        return 7;
    }
    std::function<void(const Ostrel::RMessage&)> onMessage;
    Ostrel::RMessage last;
    uintptr_t lastData = 0;

private:
    Log& log_;
    std::string name_;
};

// Starts each test with an empty global queue.
struct QueueReset {
    QueueReset() { mfMessageQueue::Global().Clear(); }
    ~QueueReset() { mfMessageQueue::Global().Clear(); }
};

}  // namespace fwtest
