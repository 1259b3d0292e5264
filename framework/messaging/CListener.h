#pragma once
// The receiving half of the messaging: a listener hears the records its broadcasters hand it
// at once and the queued records the dispatcher delivers to it. A disabled listener is
// skipped by broadcasts. Destroying a listener detaches it from every broadcaster and purges
// the queued records that name it as their target, so nothing reaches it afterwards.
// User-interface thread only.
#include <cstdint>
#include <vector>

#include "engine/base/EngineTypes.h"
#include "framework/messaging/RMessage.h"

class CBroadcaster;

class CListener {
public:
    CListener() = default;
    CListener(const CListener&) = delete;
    CListener& operator=(const CListener&) = delete;
    virtual ~CListener();

    // The answer means what the message's protocol says; broadcasts ignore it. The data word
    // is pointer-sized: some messages hand the address of the sender's own record in it.
    virtual u32 HandleMessage(Ostrel::RMessage* message, uintptr_t data) = 0;

    void EnableListening() { enabled_ = true; }
    void DisableListening() { enabled_ = false; }
    bool IsListening() const { return enabled_; }
    bool IsListeningTo(const CBroadcaster* broadcaster) const;

private:
    friend class CBroadcaster;
    bool enabled_ = true;
    std::vector<CBroadcaster*> broadcasters_;
};
