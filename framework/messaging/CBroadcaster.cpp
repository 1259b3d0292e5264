#include "framework/messaging/CBroadcaster.h"

#include <algorithm>

#include "framework/messaging/CListener.h"

// One running broadcast: the next listener to hear it and the end of the listeners that were
// there when it began. Removals before either place move it down, so the walk neither skips
// nor repeats anyone; `gone` tells the walk that the broadcaster itself was destroyed.
struct CBroadcaster::Pass {
    size_t next = 0;
    size_t end = 0;
    bool gone = false;
};

CBroadcaster::~CBroadcaster() {
    for (Pass* pass : passes_) pass->gone = true;
    for (CListener* listener : listeners_) std::erase(listener->broadcasters_, this);
}

void CBroadcaster::AddListener(CListener* listener) {
    if (!listener || HasListener(listener)) return;
    listeners_.push_back(listener);
    listener->broadcasters_.push_back(this);
}

void CBroadcaster::RemoveListener(CListener* listener) {
    auto found = std::find(listeners_.begin(), listeners_.end(), listener);
    if (found == listeners_.end()) return;
    const size_t index = size_t(found - listeners_.begin());
    listeners_.erase(found);
    std::erase(listener->broadcasters_, this);
    for (Pass* pass : passes_) {
        if (index < pass->next) --pass->next;
        if (index < pass->end) --pass->end;
    }
}

bool CBroadcaster::HasListener(const CListener* listener) const {
    return std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end();
}

void CBroadcaster::Broadcast(Ostrel::RMessage* message, uintptr_t data) {
    if (!enabled_) return;
    Pass pass{0, listeners_.size(), false};
    passes_.push_back(&pass);
    while (pass.next < pass.end) {
        CListener* listener = listeners_[pass.next++];
        if (listener->IsListening()) listener->HandleMessage(message, data);
        if (pass.gone) return;
    }
    passes_.pop_back();
}
