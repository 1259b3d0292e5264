#include "engine/files/OsRequests.h"

#include <thread>

#include "tests/engine/files/OsTestSupport.h"
#include "engine/files/OsState.h"
#include "engine/os/OsThreads.h"

namespace {

// Records the system thread it ran on and fails as often as told.
class ProbeRequest : public asyncAPI {
public:
    u32 execute() override {
        ranOn.push_back(std::this_thread::get_id());
        return systemError = failures-- > 0 ? failWith : 0;
    }
    std::vector<std::thread::id> ranOn;
    int failures = 0;
    u32 failWith = plat::kSysNotReady;
};

using OsRequests = OsFixture;

TEST_F(OsRequests, RunOnTheWorkerWhileTheCallerWaits) {
    ProbeRequest first;
    EXPECT_EQ(osRunRequest(first, "T:\\x"), kErrNone);
    ASSERT_EQ(first.ranOn.size(), 1u);
    EXPECT_NE(first.ranOn[0], std::this_thread::get_id());
}

TEST_F(OsRequests, OneIdleWorkerIsKeptForTheNextRequest) {
    std::thread::id firstThread;
    {
        ProbeRequest first;
        osRunRequest(first, "T:\\x");
        firstThread = first.ranOn.at(0);
    }
    ProbeRequest second;
    osRunRequest(second, "T:\\x");
    EXPECT_EQ(second.ranOn.at(0), firstThread);
}

TEST_F(OsRequests, RetriedWithTheDriveMutexHeldThroughout) {
    ScriptedErrorCallback callback;
    osmMutex* driveMutex = osDriveOfText("T:")->mutex;
    callback.answer = [&](const OsErrorRecord&) {
        EXPECT_EQ(driveMutex->ownerThread, osmGetCurrentThread());
        return u16(1);
    };
    ProbeRequest request;
    request.failures = 2;
    EXPECT_EQ(osRunRequest(request, "T:\\x"), kErrNone);
    EXPECT_EQ(request.ranOn.size(), 3u);
    EXPECT_EQ(callback.asked.size(), 2u);
    EXPECT_EQ(driveMutex->ownerThread, nullptr);
}

// Bytes in memory are read at once up to the limit; beyond it, or short of the bytes asked
// for, the read is the worker's.
TEST_F(OsRequests, SmallReadsOfBytesInMemoryFinishOnTheCaller) {
    constexpr u32 kLimit = asyncReadFileAt::kCallerLimit;
    put("a.bin", std::string(kLimit + 1, 'r'));
    plat::FileHandle handle = plat::kNoFile;
    ASSERT_EQ(plat::fileOpen("T:\\a.bin", plat::kFileAccessRead, plat::kFileShareRead,
                             plat::FileDisposition::OpenExisting, &handle), plat::kSysOk);
    struct Case {
        u64 offset;
        u32 count;
        bool finished;
    };
    for (const Case c : {Case{0, kLimit, true}, Case{0, kLimit + 1, false}, Case{2, kLimit, false}}) {
        std::string buffer(c.count, '?');
        asyncReadFileAt request(handle, c.offset, buffer.data(), c.count);
        EXPECT_EQ(request.finishWithoutDevice(), c.finished) << c.offset << "+" << c.count;
        EXPECT_EQ(request.systemError, 0u);
    }
    plat::fileClose(handle);
}

TEST_F(OsRequests, LetterWithoutADriveRunsNothing) {
    ProbeRequest request;
    osRunRequest(request, "Z:\\x");
    EXPECT_TRUE(request.ranOn.empty());
}

TEST(OsRequestsWithoutThreads, RunOnTheCallerWhenTheWorkerIsRefused) {
    ProbeRequest request;
    request.failures = 1;
    request.failWith = plat::kSysAccessDenied;
    EXPECT_EQ(osExecuteRequest(request), kErrNone);
    ASSERT_EQ(request.ranOn.size(), 1u);
    EXPECT_EQ(request.ranOn[0], std::this_thread::get_id());
    EXPECT_EQ(request.systemError, plat::kSysAccessDenied);
}

}  // namespace
