#include "engine/os/OsLock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "platform/clock/ClockWaiter.h"

namespace {

std::vector<std::string> ranLog;

void logName(uintptr_t argument) { ranLog.push_back(reinterpret_cast<const char*>(argument)); }

void initRecord(osmNotification& record, osmNotifyProc function, uintptr_t argument) {
    record.function = function;
    record.argument = argument;
}

uintptr_t text(const char* name) { return reinterpret_cast<uintptr_t>(name); }

class EngineLock : public ::testing::Test {
protected:
    void SetUp() override {
        ranLog.clear();
        osmLockInit(&lock, 0);
    }
    osmLock lock;
};

TEST_F(EngineLock, PostToAFreeLockRunsBeforeThePostReturns) {
    osmNotification record;
    initRecord(record, logName, text("now"));
    osmPostNotification(&lock, &record);
    EXPECT_EQ(ranLog, (std::vector<std::string>{"now"}));
}

TEST_F(EngineLock, HeldLockRunsEachPostOnceAtTheLastLeaveInOrderOfFirstPost) {
    osmNotification a, b;
    initRecord(a, logName, text("a"));
    initRecord(b, logName, text("b"));
    osmEnterLock(&lock);
    osmEnterLock(&lock);
    osmPostNotification(&lock, &a);
    osmPostNotification(&lock, &b);
    osmPostNotification(&lock, &a);
    osmPostNotification(&lock, &a);
    osmLeaveLock(&lock);
    EXPECT_TRUE(ranLog.empty());
    osmLeaveLock(&lock);
    EXPECT_EQ(ranLog, (std::vector<std::string>{"a", "a", "a", "b"}));
    EXPECT_EQ(lock.depth.load(), 0u);
}

osmLock* drainingLock;
osmNotification followUp;

void postFollowUp(uintptr_t) {
    ranLog.push_back("first");
    osmPostNotification(drainingLock, &followUp);
    ranLog.push_back(drainingLock->depth.load() ? "still held" : "free");
}

TEST_F(EngineLock, RecordPostedWhileDrainingRunsBeforeTheLockIsFree) {
    drainingLock = &lock;
    osmNotification first;
    initRecord(first, postFollowUp, 0);
    initRecord(followUp, logName, text("follow-up"));
    osmEnterLock(&lock);
    osmPostNotification(&lock, &first);
    osmLeaveLock(&lock);
    EXPECT_EQ(ranLog, (std::vector<std::string>{"first", "still held", "follow-up"}));
}

TEST_F(EngineLock, DiscardedRecordsNeverRunAndCanBePostedAgain) {
    osmNotification a;
    initRecord(a, logName, text("a"));
    osmEnterLock(&lock);
    osmPostNotification(&lock, &a);
    osmPostNotification(&lock, &a);
    osmLockDiscardPending(&lock);
    EXPECT_EQ(a.postCount.load(), 0u);
    EXPECT_EQ(a.queued.load(), 0u);
    osmPostNotification(&lock, &a);
    osmLeaveLock(&lock);
    EXPECT_EQ(ranLog, (std::vector<std::string>{"a"}));
}

TEST(EngineLockRegistry, LockSetUpTwiceJoinsTheListOnce) {
    osmLock lock;
    osmLockInit(&lock, 1);
    osmLockInit(&lock, 1);
    EXPECT_NE(lock.next, &lock);
    osmLockUnregister(&lock);
    EXPECT_EQ(lock.registered, 0);
    EXPECT_EQ(lock.next, nullptr);
}

TEST(EngineLockAtomics, GiveNewAndOldValues) {
    u32 value = 5;
    EXPECT_EQ(osmAtomicIncrement(&value), 6u);
    EXPECT_EQ(osmAtomicDecrement(&value), 5u);
    EXPECT_EQ(osmAtomicExchange(&value, 9), 5u);
    EXPECT_EQ(value, 9u);
}

// Four system threads post while the home thread holds and leaves the lock over and over.
// Each thread's records run on the home thread, every one of them, in the order posted.
constexpr int kPosters = 4;
constexpr int kPostsEach = 2000;

struct Post {
    osmNotification record;
    int poster = 0;
    int index = 0;
};

std::vector<int> seenPerPoster[kPosters];
plat::ClockWaiter* homeWaiter;

void notePost(uintptr_t argument) {
    auto* post = reinterpret_cast<Post*>(argument);
    seenPerPoster[post->poster].push_back(post->index);
}

TEST(EngineLockStress, PostsFromFourThreadsRunOnTheHomeThreadInOrderPerThread) {
    osmLock lock;
    osmLockInit(&lock, 1);
    plat::ClockWaiter waiter;
    homeWaiter = &waiter;
    osmLockSetHomeThread([] { homeWaiter->wake(); });
    const auto home = std::this_thread::get_id();

    std::vector<std::vector<Post>> posts(kPosters);
    for (auto& each : posts) each = std::vector<Post>(kPostsEach);
    std::atomic<int> offHome{0};
    for (int p = 0; p < kPosters; p++) {
        seenPerPoster[p].clear();
        for (int i = 0; i < kPostsEach; i++) {
            posts[p][i].poster = p;
            posts[p][i].index = i;
            posts[p][i].record.function = notePost;
            posts[p][i].record.argument = reinterpret_cast<uintptr_t>(&posts[p][i]);
        }
    }
    std::vector<std::thread> posters;
    for (int p = 0; p < kPosters; p++) {
        posters.emplace_back([&, p] {
            if (std::this_thread::get_id() == home) offHome++;
            for (auto& post : posts[p]) osmPostNotification(&lock, &post.record);
        });
    }
    auto seenTotal = [] {
        size_t total = 0;
        for (auto& seen : seenPerPoster) total += seen.size();
        return total;
    };
    int rounds = 0;
    while (seenTotal() < size_t(kPosters * kPostsEach)) {
        waiter.waitUntil(std::nullopt);
        osmEnterLock(&lock);
        const size_t before = seenTotal();
        osmLockRunForeignPosts();
        EXPECT_EQ(seenTotal(), before);  // held: nothing may run yet
        osmLeaveLock(&lock);
        rounds++;
    }
    for (auto& t : posters) t.join();
    osmLockSetHomeThread(nullptr);
    osmLockUnregister(&lock);

    EXPECT_EQ(offHome.load(), 0);
    EXPECT_GT(rounds, 0);
    for (int p = 0; p < kPosters; p++) {
        ASSERT_EQ(seenPerPoster[p].size(), size_t(kPostsEach)) << "poster " << p;
        for (int i = 0; i < kPostsEach; i++) ASSERT_EQ(seenPerPoster[p][i], i) << "poster " << p;
    }
}

// Without a home thread, posts race with the holder's leave. Every post must still have run
// once the posters are done, without anyone leaving the lock again.
std::atomic<int> raceRuns;
// Enough rounds that a post landing between the last look and the lock's release is likely.
constexpr int kRacingPostsEach = 20000;

void countRun(uintptr_t) { raceRuns++; }

TEST(EngineLockStress, PostDuringTheLastLeaveIsNotLeftBehind) {
    osmLock lock;
    osmLockInit(&lock, 0);
    raceRuns = 0;
    std::vector<osmNotification> records(kPosters);
    for (auto& r : records) r.function = countRun;
    std::atomic<bool> postersDone{false};
    std::vector<std::thread> posters;
    for (int p = 0; p < kPosters; p++) {
        posters.emplace_back([&, p] {
            for (int i = 0; i < kRacingPostsEach; i++) osmPostNotification(&lock, &records[p]);
        });
    }
    std::thread holder([&] {
        while (!postersDone.load()) {
            osmEnterLock(&lock);
            osmLeaveLock(&lock);
        }
    });
    for (auto& t : posters) t.join();
    postersDone = true;
    holder.join();
    EXPECT_EQ(raceRuns.load(), kPosters * kRacingPostsEach);
    EXPECT_EQ(lock.pending.load(), nullptr);
    EXPECT_EQ(lock.depth.load(), 0u);
}

// The owner of the home thread tears down what its wake function touches as soon as it has
// given up routing: no wake may still be running by then.
std::atomic<bool> wakeEntered;
std::atomic<bool> stopBegun;
std::atomic<bool> stopReturned;
std::atomic<bool> wakeOutlivedStop;

void lingeringWake() {
    wakeEntered = true;
    while (!stopBegun.load()) std::this_thread::yield();
    for (int i = 0; i < 20000; i++) {
        if (stopReturned.load()) wakeOutlivedStop = true;
        std::this_thread::yield();
    }
}

void ignore(uintptr_t) {}

TEST(EngineLockHome, GivingUpRoutingWaitsForAWakeUnderWay) {
    osmLock lock;
    osmLockInit(&lock, 1);
    wakeEntered = stopBegun = stopReturned = wakeOutlivedStop = false;
    osmLockSetHomeThread(lingeringWake);
    osmNotification record;
    initRecord(record, ignore, 0);
    std::thread poster([&] { osmPostNotification(&lock, &record); });
    while (!wakeEntered.load()) std::this_thread::yield();

    stopBegun = true;
    osmLockSetHomeThread(nullptr);
    stopReturned = true;
    poster.join();
    EXPECT_FALSE(wakeOutlivedStop.load());

    osmLockDiscardPending(&lock);
    osmLockUnregister(&lock);
}

// A post from another thread waits for the home thread; a later post made on the home thread
// itself must not overtake it (a reset of an event would otherwise be undone by an earlier set).
TEST(EngineLockHome, HomePostRunsAfterWhatOtherThreadsPostedBefore) {
    osmLock lock;
    osmLockInit(&lock, 1);
    ranLog.clear();
    osmLockSetHomeThread([] {});
    osmNotification earlier, later;
    initRecord(earlier, logName, text("posted first, elsewhere"));
    initRecord(later, logName, text("posted next, at home"));
    std::thread([&] { osmPostNotification(&lock, &earlier); }).join();
    EXPECT_TRUE(ranLog.empty());

    osmPostNotification(&lock, &later);
    EXPECT_EQ(ranLog, (std::vector<std::string>{"posted first, elsewhere", "posted next, at home"}));
    osmLockRunForeignPosts();
    EXPECT_EQ(ranLog.size(), 2u);

    osmLockSetHomeThread(nullptr);
    osmLockUnregister(&lock);
}

// Discarding races with posts from other threads: a record posted again while the pending
// list is being discarded must not drop the records after it, or they could never be posted
// again (their count stays up, so no later post queues them).
std::atomic<int> discardRaceRuns[4];

void countDiscardRaceRun(uintptr_t argument) { discardRaceRuns[argument]++; }

TEST(EngineLockStress, DiscardingWhilePostsArriveLeavesEveryRecordUsable) {
    osmLock lock;
    osmLockInit(&lock, 0);
    std::vector<osmNotification> records(kPosters);
    for (int p = 0; p < kPosters; p++) {
        initRecord(records[p], countDiscardRaceRun, uintptr_t(p));
        discardRaceRuns[p] = 0;
    }
    osmEnterLock(&lock);
    std::atomic<bool> stop{false};
    std::atomic<int> started{0};
    std::vector<std::thread> posters;
    for (int p = 0; p < kPosters; p++) {
        posters.emplace_back([&, p] {
            started++;
            while (!stop.load()) osmPostNotification(&lock, &records[p]);
        });
    }
    while (started.load() < kPosters) std::this_thread::yield();
    for (int round = 0; round < 200000; round++) osmLockDiscardPending(&lock);
    stop = true;
    for (auto& t : posters) t.join();
    osmLockDiscardPending(&lock);

    for (auto& record : records) osmPostNotification(&lock, &record);
    for (auto& runs : discardRaceRuns) runs = 0;
    osmLeaveLock(&lock);
    for (int p = 0; p < kPosters; p++) EXPECT_EQ(discardRaceRuns[p].load(), 1) << "record " << p;
}

}  // namespace
