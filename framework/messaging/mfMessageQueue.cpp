#include "framework/messaging/mfMessageQueue.h"

#include <algorithm>
#include <utility>

mfMessageQueue& mfMessageQueue::Global() {
    // Never destroyed: static senders and listeners purge it while the program ends.
    static auto* queue = new mfMessageQueue();
    return *queue;
}

void mfMessageQueue::Post(const Ostrel::RMessage& message) { records_.push_back({nextSequence_++, message}); }

bool mfMessageQueue::TakeOldest(uint64_t lastSequence, Ostrel::RMessage* out) {
    if (records_.empty() || records_.front().sequence > lastSequence) return false;
    *out = std::move(records_.front().message);
    records_.pop_front();
    return true;
}

void mfMessageQueue::PurgeSender(const Ostrel::RSender* sender) {
    std::erase_if(records_, [&](const Entry& entry) { return entry.message.sender == sender; });
}

void mfMessageQueue::PurgeSent(const Ostrel::RSender* sender, uint32_t code) {
    std::erase_if(records_,
                  [&](const Entry& entry) { return entry.message.sender == sender && entry.message.code == code; });
}

void mfMessageQueue::PurgeTarget(const CListener* target) {
    std::erase_if(records_, [&](const Entry& entry) { return entry.message.target == target; });
}

void mfMessageQueue::PurgeParameter(uintptr_t param1) {
    std::erase_if(records_, [&](const Entry& entry) { return entry.message.param1 == param1; });
}
