#pragma once
// The sending half of the immediate messaging: a broadcaster hands a record at once, not
// queued, to every enabled listener it has. Listeners may be added or removed from inside a
// broadcast: one removed before its turn is skipped, one added is first heard by the next
// broadcast, and no other listener is missed or heard twice. A broadcaster destroyed by one
// of its listeners ends the broadcast safely. User-interface thread only.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/base/EngineTypes.h"
#include "framework/messaging/RMessage.h"

class CListener;

class CBroadcaster {
public:
    CBroadcaster() = default;
    CBroadcaster(const CBroadcaster&) = delete;
    CBroadcaster& operator=(const CBroadcaster&) = delete;
    virtual ~CBroadcaster();

    // Adding a listener twice keeps one entry.
    void AddListener(CListener* listener);
    void RemoveListener(CListener* listener);
    bool HasListener(const CListener* listener) const;
    size_t CountListeners() const { return listeners_.size(); }

    void EnableBroadcasting() { enabled_ = true; }
    void DisableBroadcasting() { enabled_ = false; }
    bool IsBroadcasting() const { return enabled_; }

    // Nothing when the broadcaster is disabled; every listener is handed the same data word.
    void Broadcast(Ostrel::RMessage* message, uintptr_t data = 0);

private:
    friend class CListener;
    struct Pass;
    void Forget(CListener* listener);

    bool enabled_ = true;
    std::vector<CListener*> listeners_;
    // The broadcasts running now, innermost last.
    std::vector<Pass*> passes_;
};
