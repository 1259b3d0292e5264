#include "framework/messaging/CBroadcaster.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/framework/messaging/MessagingFixtures.h"

using fwtest::Log;
using fwtest::Recorder;
using Ostrel::RMessage;

TEST(CBroadcaster, BroadcastReachesEnabledListenersInOrderAtOnce) {
    Log log;
    Recorder a(log, "a"), b(log, "b"), c(log, "c");
    CBroadcaster broadcaster;
    broadcaster.AddListener(&a);
    broadcaster.AddListener(&b);
    broadcaster.AddListener(&c);
    broadcaster.AddListener(&a);  // kept once
    b.DisableListening();
    RMessage message(5, 0, 0);
    broadcaster.Broadcast(&message);
    EXPECT_EQ(log, (Log{"a:5", "c:5"}));
    EXPECT_EQ(broadcaster.CountListeners(), 3u);

    broadcaster.DisableBroadcasting();
    broadcaster.Broadcast(&message);
    EXPECT_EQ(log.size(), 2u);
}

// A panel hands the address of one of its own records in the data word: every bit of it
// arrives, also those above the lowest 32.
TEST(CBroadcaster, DataWordArrivesWholeAtEveryListener) {
    struct Entry {
        u16 id;
        u16 flag;
    };
    auto entry = std::make_unique<Entry>(Entry{24000, 0});
    const uintptr_t words[] = {0, 0xFFFFFFFFu, uintptr_t(0xFFFFFFFF00001234ull), reinterpret_cast<uintptr_t>(entry.get())};
    for (uintptr_t word : words) {
        Log log;
        Recorder a(log, "a"), b(log, "b");
        CBroadcaster broadcaster;
        broadcaster.AddListener(&a);
        broadcaster.AddListener(&b);
        RMessage message(222, 24000, 3);
        broadcaster.Broadcast(&message, word);
        EXPECT_EQ(a.lastData, word);
        EXPECT_EQ(b.lastData, word);
    }
    EXPECT_EQ(reinterpret_cast<const Entry*>(words[3])->id, 24000);
}

// Each row: which listener the second listener removes while it hears the broadcast, and who
// hears the broadcast in the end. Nobody still attached is missed or heard twice.
struct RemovalCase {
    const char* name;
    int removed;  // index into a, b, c, d
    Log heard;
};

TEST(CBroadcaster, ListenerRemovedDuringBroadcastIsSkippedAndNoneIsMissed) {
    const RemovalCase cases[] = {
        {"earlier", 0, {"a:1", "b:1", "c:1", "d:1"}},
        {"itself", 1, {"a:1", "b:1", "c:1", "d:1"}},
        {"next", 2, {"a:1", "b:1", "d:1"}},
        {"last", 3, {"a:1", "b:1", "c:1"}},
    };
    for (const RemovalCase& row : cases) {
        SCOPED_TRACE(row.name);
        Log log;
        Recorder a(log, "a"), b(log, "b"), c(log, "c"), d(log, "d");
        Recorder* all[] = {&a, &b, &c, &d};
        CBroadcaster broadcaster;
        for (Recorder* r : all) broadcaster.AddListener(r);
        b.onMessage = [&](const RMessage&) { broadcaster.RemoveListener(all[row.removed]); };
        RMessage message(1, 0, 0);
        broadcaster.Broadcast(&message);
        EXPECT_EQ(log, row.heard);
        EXPECT_FALSE(broadcaster.HasListener(all[row.removed]));
    }
}

TEST(CBroadcaster, ListenerDestroyedDuringBroadcastIsSkipped) {
    Log log;
    Recorder a(log, "a");
    auto b = std::make_unique<Recorder>(log, "b");
    Recorder c(log, "c");
    CBroadcaster broadcaster;
    broadcaster.AddListener(&a);
    broadcaster.AddListener(b.get());
    broadcaster.AddListener(&c);
    a.onMessage = [&](const RMessage&) { b.reset(); };
    RMessage message(2, 0, 0);
    broadcaster.Broadcast(&message);
    EXPECT_EQ(log, (Log{"a:2", "c:2"}));
    EXPECT_EQ(broadcaster.CountListeners(), 2u);
}

TEST(CBroadcaster, ListenerAddedDuringBroadcastHearsOnlyTheNextOne) {
    Log log;
    Recorder a(log, "a"), late(log, "late");
    CBroadcaster broadcaster;
    broadcaster.AddListener(&a);
    a.onMessage = [&](const RMessage&) { broadcaster.AddListener(&late); };
    RMessage message(3, 0, 0);
    broadcaster.Broadcast(&message);
    EXPECT_EQ(log, (Log{"a:3"}));
    broadcaster.Broadcast(&message);
    EXPECT_EQ(log, (Log{"a:3", "a:3", "late:3"}));
}

TEST(CBroadcaster, NestedBroadcastRemovalKeepsBothWalksRight) {
    Log log;
    Recorder a(log, "a"), b(log, "b"), c(log, "c");
    CBroadcaster broadcaster;
    broadcaster.AddListener(&a);
    broadcaster.AddListener(&b);
    broadcaster.AddListener(&c);
    int depth = 0;
    a.onMessage = [&](const RMessage&) {
        if (depth++ > 0) return;
        RMessage inner(9, 0, 0);
        broadcaster.Broadcast(&inner);
    };
    b.onMessage = [&](const RMessage& m) {
        if (m.code == 9) broadcaster.RemoveListener(&a);
    };
    RMessage outer(8, 0, 0);
    broadcaster.Broadcast(&outer);
    EXPECT_EQ(log, (Log{"a:8", "a:9", "b:9", "c:9", "b:8", "c:8"}));
}

TEST(CBroadcaster, BroadcasterDestroyedByItsListenerEndsTheBroadcast) {
    Log log;
    Recorder a(log, "a"), b(log, "b");
    auto broadcaster = std::make_unique<CBroadcaster>();
    const CBroadcaster* gone = broadcaster.get();
    broadcaster->AddListener(&a);
    broadcaster->AddListener(&b);
    a.onMessage = [&](const RMessage&) { broadcaster.reset(); };
    RMessage message(4, 0, 0);
    broadcaster->Broadcast(&message);
    EXPECT_EQ(log, (Log{"a:4"}));
    EXPECT_FALSE(a.IsListeningTo(gone));
    EXPECT_FALSE(b.IsListeningTo(gone));
}

TEST(CBroadcaster, DestroyedListenerLeavesEveryBroadcaster) {
    Log log;
    CBroadcaster first, second;
    {
        Recorder a(log, "a");
        first.AddListener(&a);
        second.AddListener(&a);
        EXPECT_TRUE(a.IsListeningTo(&first));
        EXPECT_TRUE(a.IsListeningTo(&second));
    }
    EXPECT_EQ(first.CountListeners(), 0u);
    EXPECT_EQ(second.CountListeners(), 0u);
}

TEST(CBroadcaster, DestroyedBroadcasterLeavesItsListeners) {
    Log log;
    Recorder a(log, "a");
    const CBroadcaster* gone = nullptr;
    {
        CBroadcaster broadcaster;
        gone = &broadcaster;
        broadcaster.AddListener(&a);
        EXPECT_TRUE(a.IsListeningTo(gone));
    }
    EXPECT_FALSE(a.IsListeningTo(gone));
}
