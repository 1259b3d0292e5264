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

constexpr u32 kCode = 9;
constexpr uintptr_t kParam = 55;

TEST(MessagePayload, GoesWhenItsRecordIsHandledOrPurged) {
    struct Case {
        const char* name;
        bool toTarget;
        std::function<void(std::unique_ptr<RSender>&, CListener*)> end;
        bool heard, freed;
    };
    mfMessageQueue& queue = mfMessageQueue::Global();
    const Case cases[] = {
        {"handled by its target", true, [](auto&, CListener*) { mfDispatcher().DispatchQueuedMessages(); }, true, true},
        {"handled by a broadcast", false, [](auto&, CListener*) { mfDispatcher().DispatchQueuedMessages(); }, true, true},
        {"its sender dies", true, [](auto& sender, CListener*) { sender.reset(); }, false, true},
        {"its target dies", true, [&](auto&, CListener* target) { queue.PurgeTarget(target); }, false, true},
        {"another target dies", true, [&](auto&, CListener*) { queue.PurgeTarget(nullptr); }, false, false},
        {"its code is withdrawn", true, [&](auto& sender, CListener*) { queue.PurgeSent(sender.get(), kCode); }, false, true},
        {"another code is withdrawn", true, [&](auto& sender, CListener*) { queue.PurgeSent(sender.get(), kCode + 1); }, false, false},
        {"its parameter is purged", true, [&](auto&, CListener*) { queue.PurgeParameter(kParam); }, false, true},
        {"the queue is cleared", true, [&](auto&, CListener*) { queue.Clear(); }, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fwtest::QueueReset reset;
        fwtest::Log log;
        fwtest::Recorder listener(log, "l");
        bool carried = false;
        listener.onMessage = [&](const RMessage& m) { carried = m.Payload<Counted>() != nullptr && Counted::alive == 1; };
        auto sender = std::make_unique<RSender>(fourCC("TEST"));
        sender->AddListener(&listener);
        RMessage message(kCode, kParam, 0);
        message.target = c.toTarget ? &listener : nullptr;
        message.Carry(Counted());
        sender->PostRecord(message);
        message = RMessage();
        EXPECT_EQ(Counted::alive, 1);
        c.end(sender, &listener);
        listener.last = RMessage();
        EXPECT_EQ(carried, c.heard);
        EXPECT_EQ(Counted::alive, c.freed ? 0 : 1);
        queue.Clear();
        EXPECT_EQ(Counted::alive, 0);
    }
}

TEST(MessagePayload, IsHandedOutOnlyAsItsOwnTypeAndSharedByCopies) {
    RMessage message(kCode, 0, 0);
    EXPECT_EQ(message.Payload<Counted>(), nullptr);
    message.Carry(Counted());
    EXPECT_NE(message.Payload<Counted>(), nullptr);
    EXPECT_EQ(message.Payload<std::string>(), nullptr);
    EXPECT_EQ(message.Payload<int>(), nullptr);
    RMessage copy = message;
    EXPECT_EQ(copy.Payload<Counted>(), message.Payload<Counted>());
    message = RMessage();
    EXPECT_EQ(Counted::alive, 1);
    copy = RMessage();
    EXPECT_EQ(Counted::alive, 0);
}

}  // namespace
