// A record's payload lives exactly as long as the record: handed out while it is handled,
// gone once it has been handled or purged, and shared by every copy.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "framework/messaging/RSender.h"
#include "framework/messaging/mfDispatcher.h"
#include "tests/framework/messaging/MessagingFixtures.h"

using Ostrel::RMessage;
using Ostrel::RSender;

namespace {

struct Counted {
    static inline int alive = 0;
    Counted() { ++alive; }
    Counted(const Counted&) { ++alive; }
    ~Counted() { --alive; }
};

TEST(MessagePayload, GoesWhenItsRecordIsHandledOrPurged) {
    using End = std::function<void(mfMessageQueue&, std::unique_ptr<RSender>&, CListener*)>;
    const End dispatch = [](auto&, auto&, CListener*) { mfDispatcher().DispatchQueuedMessages(); };
    const struct {
        const char* name;
        bool toTarget;
        End end;
        bool heard, freed;
    } cases[] = {
        {"handled by its target", true, dispatch, true, true},
        {"handled by a broadcast", false, dispatch, true, true},
        {"its sender dies", true, [](auto&, auto& s, auto*) { s.reset(); }, false, true},
        {"its target dies", true, [](auto& q, auto&, auto* t) { q.PurgeTarget(t); }, false, true},
        {"another target dies", true, [](auto& q, auto&, auto*) { q.PurgeTarget(nullptr); }, false, false},
        {"its code is withdrawn", true, [](auto& q, auto& s, auto*) { q.PurgeSent(s.get(), 9); }, false, true},
        {"another code is withdrawn", true, [](auto& q, auto& s, auto*) { q.PurgeSent(s.get(), 8); }, false, false},
        {"its parameter is purged", true, [](auto& q, auto&, auto*) { q.PurgeParameter(55); }, false, true},
        {"the queue is cleared", true, [](auto& q, auto&, auto*) { q.Clear(); }, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fwtest::QueueReset reset;
        fwtest::Log log;
        fwtest::Recorder listener(log, "l");
        bool carried = false;
        listener.onMessage = [&](const RMessage& m) { carried = m.Payload<Counted>() != nullptr && Counted::alive == 1; };
        auto sender = std::make_unique<RSender>(fourCC("TEST"));
        sender->AddListener(&listener);
        RMessage message(9, 55, 0);
        message.target = c.toTarget ? &listener : nullptr;
        message.Carry(Counted());
        sender->PostRecord(message);
        message = RMessage();
        EXPECT_EQ(Counted::alive, 1);
        c.end(mfMessageQueue::Global(), sender, &listener);
        listener.last = RMessage();
        EXPECT_EQ(carried, c.heard);
        EXPECT_EQ(Counted::alive, c.freed ? 0 : 1);
    }
    EXPECT_EQ(Counted::alive, 0);
}

TEST(MessagePayload, IsHandedOutOnlyAsItsOwnTypeAndSharedByCopies) {
    RMessage message(9, 0, 0);
    EXPECT_EQ(message.Payload<Counted>(), nullptr);
    message.Carry(Counted());
    EXPECT_EQ(message.Payload<std::string>(), nullptr);
    RMessage copy = message;
    EXPECT_NE(copy.Payload<Counted>(), nullptr);
    EXPECT_EQ(copy.Payload<Counted>(), message.Payload<Counted>());
    message = RMessage();
    EXPECT_EQ(Counted::alive, 1);
    copy = RMessage();
    EXPECT_EQ(Counted::alive, 0);
}

}  // namespace
