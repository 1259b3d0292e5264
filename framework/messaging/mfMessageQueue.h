#pragma once
// The one queue of posted message records, in posting order. Records leave it only through
// the dispatcher or a purge: a dying sender or listener removes the records that name it.
// A record's payload goes with the record. User-interface thread only.
#include <cstdint>
#include <cstddef>
#include <deque>

#include "framework/messaging/RMessage.h"

class mfMessageQueue {
public:
    // The program's queue, made on first use so that static objects may post.
    static mfMessageQueue& Global();

    void Post(const Ostrel::RMessage& message);
    size_t Count() const { return records_.size(); }
    bool IsEmpty() const { return records_.empty(); }

    // Records posted so far carry a sequence number up to this one.
    uint64_t LastPosted() const { return nextSequence_ - 1; }
    // Takes the oldest record when it was posted no later than `lastSequence`.
    bool TakeOldest(uint64_t lastSequence, Ostrel::RMessage* out);

    void PurgeSender(const Ostrel::RSender* sender);
    // Only the records `sender` posted with `code`: for a sender whose newer record replaces
    // the ones still waiting.
    void PurgeSent(const Ostrel::RSender* sender, uint32_t code);
    void PurgeTarget(const CListener* target);
    // For a dying object that records carry as parameter 1 (a hot-spot item in its buttons'
    // group messages): no listener is handed its address afterwards.
    void PurgeParameter(uintptr_t param1);
    void Clear() { records_.clear(); }

private:
    struct Entry {
        uint64_t sequence;
        Ostrel::RMessage message;
    };
    std::deque<Entry> records_;
    uint64_t nextSequence_ = 1;
};
