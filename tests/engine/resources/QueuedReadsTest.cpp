#include "engine/resources/QueuedReads.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/engine/resources/format/ArchiveBytes.h"
#include "MemoryArchiveFile.h"
#include "engine/base/MemoryHandles.h"
#include "engine/os/OsManager.h"
#include "engine/os/OsThreads.h"
#include "platform/clock/Clock.h"

namespace {

using namespace testres;

const FourCC kSound = fourCC("tWAV");

// What the callbacks saw, in order: (event, user value).
struct Journal {
    std::vector<std::pair<u32, u32>> events;
    std::vector<u8> buffer = std::vector<u8>(16384);
    bool refuseBegin = false;
};
Journal* journal = nullptr;

void* record(u32 event, ResourceRef, ResReadArea* area) {
    journal->events.emplace_back(event, area->userValue);
    if (event != kResReadBegin || journal->refuseBegin) return nullptr;
    return journal->buffer.data();
}

class QueuedReadsTest : public ::testing::Test {
protected:
    void SetUp() override {
        journal = &journal_;
        ASSERT_EQ(memInit(0, 512), kErrNone);
        ASSERT_EQ(resInit(), kErrNone);
    }
    void TearDown() override {
        resShutdown();
        memShutdown();
        journal = nullptr;
    }
    ResMapHandle open(const std::vector<ResContent>& resources, u16 background = 0) {
        image_ = std::make_shared<FileImage>();
        image_->bytes = makeArchive(resources);
        return resOpenArchive(std::make_unique<MemoryArchiveFile>(image_, "q"), 0, background);
    }
    std::vector<u32> eventsOnly() const {
        std::vector<u32> result;
        for (auto& e : journal_.events) result.push_back(e.first);
        return result;
    }

    plat::ScopedFakeClock clock_{5000};
    Journal journal_;
    std::shared_ptr<FileImage> image_;
};

TEST_F(QueuedReadsTest, ServesLikeAnElevatorFromTheFilePosition) {
    // Data at 100, 5000 and 9000.
    const ResMapHandle map = open({{kSound, 1, std::string(72, '.')},
                                   {kSound, 2, std::string(4900, 'a')},
                                   {kSound, 3, std::string(4000, 'b')},
                                   {kSound, 4, std::string(100, 'c')}});
    const ResourceRef low = resFindResource(kSound, 2, map);
    const ResourceRef middle = resFindResource(kSound, 3, map);
    const ResourceRef high = resFindResource(kSound, 4, map);
    ASSERT_NE(resQueueRead(middle, record, 5000, 10, 0), nullptr);
    ASSERT_NE(resQueueRead(high, record, 9000, 10, 0), nullptr);
    ASSERT_NE(resQueueRead(low, record, 100, 10, 0), nullptr);
    char skip[1000];
    u32 count = sizeof skip;
    ASSERT_EQ(resReadResource(middle, skip, &count, 0), kErrNone);  // the file is now at 6000

    EXPECT_EQ(resServiceReads(map, 0), 1);
    EXPECT_TRUE(journal_.events.empty());
    EXPECT_EQ(resServiceReads(map, kResNoLimit), 0);
    std::vector<u32> begun;
    for (auto& [event, user] : journal_.events)
        if (event == kResReadBegin) begun.push_back(user);
    EXPECT_EQ(begun, (std::vector<u32>{9000, 100, 5000}));
}

TEST_F(QueuedReadsTest, AReadOfLoadedDataIsServedAtOnce) {
    const ResMapHandle map = open({{kSound, 1, "loaded data"}});
    const ResourceRef ref = resFindResource(kSound, 1, map);
    ASSERT_NE(resLoadResource(ref, 0), 0);
    EXPECT_EQ(resQueueRead(ref, record, 7, 6, 0), nullptr);
    EXPECT_EQ(resGetLastError(), kErrNone);
    EXPECT_EQ(eventsOnly(), (std::vector<u32>{kResReadBegin, kResReadEndOfData, kResReadCompleted}));
    EXPECT_EQ(std::memcmp(journal_.buffer.data(), "loaded", 6), 0);
    EXPECT_EQ(resServiceReads(map, 0), 0);
}

TEST_F(QueuedReadsTest, ABeginWithoutDestinationEndsTheRequestQuietly) {
    const ResMapHandle map = open({{kSound, 1, "data"}});
    ResReadRequest* request = resQueueRead(resFindResource(kSound, 1, map), record, 0, 4, 0);
    journal_.refuseBegin = true;
    EXPECT_EQ(resServiceRead(request, kResNoLimit), 1);
    EXPECT_EQ(eventsOnly(), (std::vector<u32>{kResReadBegin}));
    EXPECT_EQ(resFinishRead(request), kErrNone);
    EXPECT_EQ(eventsOnly().size(), 1u);
}

TEST_F(QueuedReadsTest, RefusesRangesBeyondTheResource) {
    const ResMapHandle map = open({{kSound, 1, "data"}});
    EXPECT_EQ(resQueueRead(resFindResource(kSound, 1, map), record, 0, 3, 2), nullptr);
    EXPECT_EQ(resGetLastError(), kResErrBeyondEnd);
}

TEST_F(QueuedReadsTest, AReadErrorEndsWithEndOfDataThenFailure) {
    const ResMapHandle map = open({{kSound, 1, "data that will vanish"}});
    ResReadRequest* request = resQueueRead(resFindResource(kSound, 1, map), record, 0, 20, 0);
    image_->bytes.resize(30);  // the disc lost its end
    EXPECT_EQ(resServiceRead(request, kResNoLimit), 1);
    EXPECT_EQ(eventsOnly(), (std::vector<u32>{kResReadBegin, kResReadEndOfData, kResReadFailed}));
    EXPECT_EQ(resFinishRead(request), kErrNone);
}

TEST_F(QueuedReadsTest, ATimedCallerReadsAbout100BytesPerMillisecond) {
    const ResMapHandle map = open({{kSound, 1, std::string(12000, 's')}});
    image_->onRead = [this] { clock_.advance(1); };
    ResReadRequest* request = resQueueRead(resFindResource(kSound, 1, map), record, 0, 12000, 0);
    EXPECT_EQ(resServiceRead(request, 3), 0);
    EXPECT_EQ(std::string(journal_.buffer.begin(), journal_.buffer.begin() + 3 * 2048), std::string(3 * 2048, 's'));
    EXPECT_EQ(journal_.buffer[3 * 2048], 0);
    EXPECT_EQ(resServiceRead(request, kResNoLimit), 1);
    EXPECT_EQ(journal_.buffer[11999], 's');
    EXPECT_EQ(resFinishRead(request), kErrNone);
}

TEST_F(QueuedReadsTest, AHugeBudgetStillReads) {
    const ResMapHandle map = open({{kSound, 1, std::string(5000, 'h')}});
    ResReadRequest* request = resQueueRead(resFindResource(kSound, 1, map), record, 0, 5000, 0);
    // 42949672 ms at 100 bytes each is 96 bytes short of 2^32.
    EXPECT_EQ(resServiceRead(request, 42949672u), 1);
    EXPECT_EQ(journal_.buffer[4999], 'h');
    EXPECT_EQ(resFinishRead(request), kErrNone);
}

TEST_F(QueuedReadsTest, ServingTheArchiveDoesNotReadADoneRequestAgain) {
    const ResMapHandle map = open({{kSound, 1, "once"}});
    ResReadRequest* request = resQueueRead(resFindResource(kSound, 1, map), record, 0, 4, 0);
    ASSERT_EQ(resServiceRead(request, kResNoLimit), 1);
    EXPECT_EQ(resServiceReads(map, kResNoLimit), 0);  // finishes it, without new events
    EXPECT_EQ(eventsOnly(), (std::vector<u32>{kResReadBegin, kResReadEndOfData, kResReadCompleted}));
}

TEST_F(QueuedReadsTest, RemovingAResourceCancelsItsBegunRead) {
    const ResMapHandle map = open({{kSound, 1, std::string(8000, 'r')}});
    const ResourceRef ref = resFindResource(kSound, 1, map);
    image_->onRead = [this] { clock_.advance(5); };
    ResReadRequest* request = resQueueRead(ref, record, 0, 8000, 0);
    EXPECT_EQ(resServiceRead(request, 1), 0);
    ASSERT_EQ(resRemoveResource(ref), kErrNone);
    EXPECT_EQ(eventsOnly(), (std::vector<u32>{kResReadBegin, kResReadEndOfData, kResReadCancelled}));
    EXPECT_EQ(resServiceReads(map, 0), 0);
}

TEST_F(QueuedReadsTest, LoadingCompletesPendingReadsFromMemory) {
    const ResMapHandle map = open({{kSound, 1, "pending"}});
    const ResourceRef ref = resFindResource(kSound, 1, map);
    ASSERT_NE(resQueueRead(ref, record, 0, 7, 0), nullptr);
    ASSERT_NE(resLoadResource(ref, 0), 0);
    EXPECT_EQ(eventsOnly(), (std::vector<u32>{kResReadBegin, kResReadEndOfData, kResReadCompleted}));
    EXPECT_EQ(resServiceReads(map, 0), 0);
}

// A callback that gives up every other read of its resource once its own has arrived.
void* cancelOthersWhenDone(u32 event, ResourceRef ref, ResReadArea* area) {
    void* destination = record(event, ref, area);
    if (event == kResReadCompleted) resCancelReads(ref);
    return destination;
}

TEST_F(QueuedReadsTest, ACallbackMayCancelTheReadsThatLoadingWouldServeNext) {
    const ResMapHandle map = open({{kSound, 1, "pending"}});
    const ResourceRef ref = resFindResource(kSound, 1, map);
    ASSERT_NE(resQueueRead(ref, cancelOthersWhenDone, 1, 7, 0), nullptr);
    ASSERT_NE(resQueueRead(ref, record, 2, 3, 0), nullptr);
    ASSERT_NE(resLoadResource(ref, 0), 0);
    EXPECT_EQ(journal_.events, (std::vector<std::pair<u32, u32>>{
                                   {kResReadBegin, 1}, {kResReadEndOfData, 1}, {kResReadCompleted, 1}, {kResReadCancelled, 2}}));
    EXPECT_EQ(resServiceReads(map, 0), 0);
}

ResMapHandle closedInCallback = 0;
EngineErr closingInCallback = kErrNone;
void* closeOnCompletion(u32 event, ResourceRef ref, ResReadArea* area) {
    void* destination = record(event, ref, area);
    if (event == kResReadCompleted) closingInCallback = resCloseFile(closedInCallback, 0, 1);
    return destination;
}

TEST_F(QueuedReadsTest, AnArchiveIsNotClosedUnderItsOwnReadCallback) {
    closedInCallback = open({{kSound, 1, "kept"}});
    closingInCallback = kErrNone;
    ASSERT_NE(resQueueRead(resFindResource(kSound, 1, closedInCallback), closeOnCompletion, 0, 4, 0), nullptr);
    EXPECT_EQ(resServiceReads(closedInCallback, kResNoLimit), 0);
    EXPECT_EQ(closingInCallback, kResErrLocked);
    EXPECT_EQ(resCloseFile(closedInCallback, 0, 0), kErrNone);
}

u32 lastLoadEvent = 99;
void noteLoad(u32 event, ResourceRef, u32* userValue) {
    lastLoadEvent = event;
    ++*userValue;
}

TEST_F(QueuedReadsTest, LoadsWholeResourcesInTheBackground) {
    const ResMapHandle map = open({{kSound, 1, "background"}, {kSound, 2, ""}});
    const ResourceRef ref = resFindResource(kSound, 1, map);
    ResReadRequest* request = resLoadResourceAsync(ref, noteLoad, 0);
    ASSERT_NE(request, nullptr);
    EXPECT_EQ(resGetResourceHandle(ref), 0);
    EXPECT_EQ(resServiceReads(map, kResNoLimit), 0);
    EXPECT_EQ(lastLoadEvent, u32(kResReadCompleted));
    const memHandle data = resGetResourceHandle(ref);
    ASSERT_NE(data, 0);
    EXPECT_EQ(std::memcmp(memDerefHandle(data), "background", 10), 0);
    EXPECT_EQ(memFreeHandle(data), kMemErrResourceOwned);

    lastLoadEvent = 99;
    EXPECT_EQ(resLoadResourceAsync(resFindResource(kSound, 2, map), noteLoad, 0), nullptr);
    EXPECT_EQ(lastLoadEvent, u32(kResReadCompleted));
}

TEST_F(QueuedReadsTest, ABackgroundLoadWithoutMemoryForItsDataReportsFailure) {
    const ResMapHandle map = open({{kSound, 1, "no room"}});
    const ResourceRef ref = resFindResource(kSound, 1, map);
    ASSERT_NE(resLoadResourceAsync(ref, noteLoad, 0), nullptr);
    std::vector<memHandle> taken;
    for (memHandle h; (h = memAllocHandle(0)) != 0;) taken.push_back(h);
    lastLoadEvent = 99;
    EXPECT_EQ(resServiceReads(map, kResNoLimit), 0);
    EXPECT_EQ(lastLoadEvent, u32(kResReadFailed));
    EXPECT_EQ(resGetResourceHandle(ref), 0);
    for (memHandle h : taken) memFreeHandle(h);
}

TEST_F(QueuedReadsTest, ResourcesFlaggedToLoadAtOpenAreLoadedByOpening) {
    const ResMapHandle map = open({{kSound, 1, "eager", nullptr, kResFlagLoadAtOpen}, {kSound, 2, "lazy"}});
    EXPECT_NE(resGetResourceHandle(resFindResource(kSound, 1, map)), 0);
    EXPECT_EQ(resGetResourceHandle(resFindResource(kSound, 2, map)), 0);
}

// Archives whose volume reads in the background are served by the reader thread while the
// program's own thread waits.
class BackgroundReadsTest : public QueuedReadsTest {
protected:
    void SetUp() override {
        ASSERT_EQ(osmInit(nullptr), kErrNone);
        QueuedReadsTest::SetUp();
    }
    void TearDown() override {
        QueuedReadsTest::TearDown();
        osmShutdown();
    }
};

TEST_F(BackgroundReadsTest, TheReaderServesInElevatorOrderWhileTheCallerSleeps) {
    const ResMapHandle map = open({{kSound, 1, std::string(72, '.')},
                                   {kSound, 2, std::string(4900, 'a')},
                                   {kSound, 3, std::string(4000, 'b')},
                                   {kSound, 4, std::string(100, 'c')}},
                                  1);
    const ResourceRef middle = resFindResource(kSound, 3, map);
    ResReadRequest* first = resQueueRead(middle, record, 5000, 10, 0);
    ASSERT_NE(resQueueRead(resFindResource(kSound, 4, map), record, 9000, 10, 0), nullptr);
    ASSERT_NE(resQueueRead(resFindResource(kSound, 2, map), record, 100, 10, 0), nullptr);
    char skip[1000];
    u32 count = sizeof skip;
    ASSERT_EQ(resReadResource(middle, skip, &count, 0), kErrNone);

    EXPECT_EQ(resServiceRead(first, 50), 0);  // a timed caller leaves it to the reader
    EXPECT_EQ(resServiceReads(map, 50), 1);
    EXPECT_TRUE(journal_.events.empty());
    for (int round = 0; round < 20 && resServiceReads(map, 0) != 0; ++round) osmSleep(0);
    EXPECT_EQ(resServiceReads(map, 0), 0);
    std::vector<u32> begun;
    for (auto& [event, user] : journal_.events)
        if (event == kResReadBegin) begun.push_back(user);
    EXPECT_EQ(begun, (std::vector<u32>{9000, 100, 5000}));
}

TEST_F(BackgroundReadsTest, ClosingLeavesNoServedButUnfinishedReadBehind) {
    const ResMapHandle map = open({{kSound, 1, "served"}}, 1);
    ResReadRequest* request = resQueueRead(resFindResource(kSound, 1, map), record, 1, 6, 0);
    ASSERT_NE(request, nullptr);
    ASSERT_EQ(resServiceRead(request, kResNoLimit), 1);
    ASSERT_EQ(resCloseFile(map, 0, 0), kErrNone);
    // The reader must not look for the closed archive any more.
    for (int round = 0; round < 5; ++round) osmSleep(0);
    EXPECT_EQ(resServiceRead(request, kResNoLimit), 1);
    EXPECT_EQ(resFinishRead(request), kErrNone);
    EXPECT_EQ(eventsOnly(), (std::vector<u32>{kResReadBegin, kResReadEndOfData, kResReadCompleted}));
}

TEST_F(BackgroundReadsTest, TheReaderCopesWithReadsServedWhileItWaitedForTheFile) {
    const ResMapHandle map = open({{kSound, 1, "needed now"}}, 1);
    const std::shared_ptr<FileImage> file = image_;
    const ResourceRef ref = resFindResource(kSound, 1, map);
    lastLoadEvent = 99;
    ASSERT_NE(resLoadResourceAsync(ref, noteLoad, 0), nullptr);
    auto otherFile = std::make_shared<FileImage>();
    otherFile->bytes = makeArchive({{kSound, 2, "later"}});
    const ResMapHandle other = resOpenArchive(std::make_unique<MemoryArchiveFile>(otherFile, "other"), 0, 1);
    ASSERT_NE(resLoadResourceAsync(resFindResource(kSound, 2, other), noteLoad, 0), nullptr);
    static osmThread* self;
    static bool readerWaited;
    self = osmGetCurrentThread();
    readerWaited = false;
    file->onLock = [] {
        if (osmGetCurrentThread() == self || readerWaited) return;
        readerWaited = true;
        osmSleep(10);  // the file is busy: the program's own thread goes on meanwhile
    };
    osmSleep(0);
    ASSERT_TRUE(readerWaited);
    ASSERT_NE(resLoadResource(ref, 0), 0);  // serves the pending load from memory
    EXPECT_EQ(lastLoadEvent, u32(kResReadCompleted));
    clock_.advance(10);
    for (int round = 0; round < 20 && resServiceReads(other, 0) != 0; ++round) osmSleep(0);
    EXPECT_EQ(resServiceReads(map, 0), 0);
    EXPECT_EQ(resServiceReads(other, 0), 0);
    EXPECT_EQ(file->locks, 0);
}

TEST_F(BackgroundReadsTest, ABackgroundLoadLandsWithoutTheCallerReading) {
    const ResMapHandle map = open({{kSound, 1, "streamed"}}, 1);
    const ResourceRef ref = resFindResource(kSound, 1, map);
    lastLoadEvent = 99;
    ASSERT_NE(resLoadResourceAsync(ref, noteLoad, 0), nullptr);
    for (int round = 0; round < 20 && resGetResourceHandle(ref) == 0; ++round) osmSleep(0);
    EXPECT_EQ(lastLoadEvent, u32(kResReadCompleted));
    ASSERT_NE(resGetResourceHandle(ref), 0);
    EXPECT_EQ(std::memcmp(memDerefHandle(resGetResourceHandle(ref)), "streamed", 8), 0);
}

}  // namespace
