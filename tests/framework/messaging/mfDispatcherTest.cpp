#include "framework/messaging/mfDispatcher.h"

#include <gtest/gtest.h>

#include <memory>

#include "framework/messaging/RSender.h"
#include "tests/framework/messaging/MessagingFixtures.h"

using fwtest::Log;
using fwtest::Recorder;
using Ostrel::RMessage;
using Ostrel::RSender;

namespace {

struct Dispatch : ::testing::Test {
    fwtest::QueueReset reset;
    mfDispatcher dispatcher;
    Log log;
};

}  // namespace

TEST_F(Dispatch, PostedRecordsWaitForTheIdleStepAndArriveInPostingOrder) {
    RSender sender(fourCC("TIMR"));
    Recorder a(log, "a"), b(log, "b"), target(log, "t");
    sender.AddListener(&a);
    sender.AddListener(&b);
    sender.PostMessage(1);
    sender.PostMessageTo(&target, 2, 77, 3);
    sender.PostMessage(3);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(mfMessageQueue::Global().Count(), 3u);

    EXPECT_EQ(dispatcher.DispatchQueuedMessages(), 3u);
    EXPECT_EQ(log, (Log{"a:1", "b:1", "t:2", "a:3", "b:3"}));
    EXPECT_EQ(target.last.sender, &sender);
    EXPECT_EQ(target.last.target, &target);
    EXPECT_EQ(target.last.param1, 77u);
    EXPECT_EQ(target.last.param2, 3u);
    EXPECT_EQ(target.last.mark, -1);
    EXPECT_EQ(sender.GetTag(), fourCC("TIMR"));
    EXPECT_TRUE(mfMessageQueue::Global().IsEmpty());
}

TEST_F(Dispatch, BroadcastGoesOnlyToEnabledListenersOfTheSenderButATargetAlwaysHears) {
    RSender sender(fourCC("RApp"));
    Recorder on(log, "on"), off(log, "off"), stranger(log, "x");
    sender.AddListener(&on);
    sender.AddListener(&off);
    off.DisableListening();
    stranger.DisableListening();
    sender.PostMessage(4);
    sender.PostMessageTo(&stranger, 5);
    dispatcher.DispatchQueuedMessages();
    EXPECT_EQ(log, (Log{"on:4", "x:5"}));
}

TEST_F(Dispatch, RecordsPostedDuringDeliveryWaitForTheNextStep) {
    RSender sender(fourCC("EASL"));
    Recorder a(log, "a");
    sender.AddListener(&a);
    a.onMessage = [&](const RMessage& m) {
        if (m.code < 3) sender.PostMessage(m.code + 10);
    };
    sender.PostMessage(1);
    sender.PostMessage(2);
    EXPECT_EQ(dispatcher.DispatchQueuedMessages(), 2u);
    EXPECT_EQ(log, (Log{"a:1", "a:2"}));
    EXPECT_EQ(dispatcher.DispatchQueuedMessages(), 2u);
    EXPECT_EQ(log, (Log{"a:1", "a:2", "a:11", "a:12"}));
    EXPECT_EQ(dispatcher.DispatchQueuedMessages(), 0u);
}

TEST_F(Dispatch, PointerParametersKeepEveryBit) {
    RSender sender(fourCC("TIMR"));
    Recorder a(log, "a");
    static int object;
    const uintptr_t pointer = reinterpret_cast<uintptr_t>(&object);
    RMessage record(6, pointer, 0xFFFF);
    record.point = Point16{-5, 600};
    record.flags[2] = 9;
    sender.AddListener(&a);
    sender.PostRecord(record);
    dispatcher.DispatchQueuedMessages();
    EXPECT_EQ(a.last.param1, pointer);
    EXPECT_EQ(a.last.param2, 0xFFFFu);
    EXPECT_EQ(a.last.point.h, -5);
    EXPECT_EQ(a.last.point.v, 600);
    EXPECT_EQ(a.last.flags[2], 9);
    EXPECT_EQ(a.last.sender, &sender);
}

// A destroyed listener or sender is never reached by a record queued before it died, whether
// it died before the idle step or during it.
TEST_F(Dispatch, DestroyedTargetIsNotReached) {
    RSender sender(fourCC("TIMR"));
    Recorder first(log, "first");
    auto doomed = std::make_unique<Recorder>(log, "doomed");
    sender.PostMessageTo(doomed.get(), 1);
    sender.PostMessageTo(&first, 2);
    sender.PostMessageTo(doomed.get(), 3);
    first.onMessage = [&](const RMessage&) { doomed.reset(); };
    doomed->onMessage = nullptr;
    EXPECT_EQ(dispatcher.DispatchQueuedMessages(), 2u);
    EXPECT_EQ(log, (Log{"doomed:1", "first:2"}));

    auto later = std::make_unique<Recorder>(log, "later");
    sender.PostMessageTo(later.get(), 4);
    later.reset();
    EXPECT_EQ(dispatcher.DispatchQueuedMessages(), 0u);
}

TEST_F(Dispatch, DestroyedSenderTakesItsRecordsAlong) {
    Recorder a(log, "a"), b(log, "b");
    auto doomed = std::make_unique<RSender>(fourCC("gclp"));
    RSender keeper(fourCC("TIMR"));
    doomed->AddListener(&a);
    keeper.PostMessageTo(&b, 1);
    doomed->PostMessage(2);
    doomed->PostMessageTo(&b, 3);
    keeper.PostMessageTo(&b, 4);
    b.onMessage = [&](const RMessage& m) {
        if (m.code == 1) doomed.reset();
    };
    EXPECT_EQ(dispatcher.DispatchQueuedMessages(), 2u);
    EXPECT_EQ(log, (Log{"b:1", "b:4"}));
}

TEST_F(Dispatch, SenderDestroyedByItsOwnBroadcastIsNotTouchedAgain) {
    Recorder a(log, "a"), b(log, "b");
    auto sender = std::make_unique<RSender>(fourCC("scrl"));
    sender->AddListener(&a);
    sender->AddListener(&b);
    a.onMessage = [&](const RMessage&) { sender.reset(); };
    sender->PostMessage(1);
    sender->PostMessage(2);
    EXPECT_EQ(dispatcher.DispatchQueuedMessages(), 1u);
    EXPECT_EQ(log, (Log{"a:1"}));
}

TEST_F(Dispatch, NestedIdleStepDeliversEachRecordOnce) {
    RSender sender(fourCC("dlgs"));
    Recorder a(log, "a");
    sender.AddListener(&a);
    a.onMessage = [&](const RMessage& m) {
        if (m.code == 1) dispatcher.DispatchQueuedMessages();
    };
    sender.PostMessage(1);
    sender.PostMessage(2);
    sender.PostMessage(3);
    dispatcher.DispatchQueuedMessages();
    EXPECT_EQ(log, (Log{"a:1", "a:2", "a:3"}));
}
