#include "framework/messaging/CListener.h"

#include <algorithm>

#include "framework/messaging/CBroadcaster.h"
#include "framework/messaging/mfMessageQueue.h"

CListener::~CListener() {
    // Each broadcaster forgets this listener, which shrinks the list being walked.
    while (!broadcasters_.empty()) broadcasters_.back()->RemoveListener(this);
    mfMessageQueue::Global().PurgeTarget(this);
}

bool CListener::IsListeningTo(const CBroadcaster* broadcaster) const {
    return std::find(broadcasters_.begin(), broadcasters_.end(), broadcaster) != broadcasters_.end();
}
