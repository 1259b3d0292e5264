#include "engine/base/MemoryHandles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/memory/SystemMemory.h"

namespace {

// A system that refuses requests above a size, or refuses everything, and reports whatever
// free space the test sets.
class ScriptedAllocator : public plat::SystemAllocator {
public:
    void* allocate(size_t size) override { return refuses(size) ? nullptr : std::malloc(size); }
    void* reallocate(void* block, size_t size) override {
        if (size == refuseOnceSize) {
            refuseOnceSize = 0;
            return nullptr;
        }
        return refuses(size) ? nullptr : std::realloc(block, size);
    }
    void release(void* block) override { std::free(block); }
    plat::MemoryStatus status() override {
        plat::MemoryStatus s{};
        s.availableVirtual = reportedFree;
        return s;
    }
    bool refuses(size_t size) const { return refuseAll || size > largestGranted; }

    size_t largestGranted = SIZE_MAX;
    bool refuseAll = false;
    uint64_t reportedFree = 0;
    size_t refuseOnceSize = 0;  // one reallocation to exactly this size is refused
};

class MemoryHandles : public ::testing::Test {
protected:
    void SetUp() override {
        plat::setSystemAllocator(&system);
        ASSERT_EQ(memInit(0, 512), kErrNone);
    }
    void TearDown() override {
        memSetLowMemoryCallback(nullptr);
        memSetPurgeCallback(nullptr);
        memShutdown();
        plat::setSystemAllocator(nullptr);
    }
    memHandle purgeableBlock(u32 size, int uses) {
        const memHandle h = memAllocHandle(size);
        for (int i = 0; i < uses; ++i) memDerefHandle(h);
        memSetHandlePurgeable(h, 1);
        return h;
    }

    ScriptedAllocator system;
};

TEST_F(MemoryHandles, EmptyHandleGetsABlockWhenResized) {
    const memHandle h = memAllocHandle(0);
    ASSERT_NE(h, 0);
    EXPECT_TRUE(memIsHandleValid(h));
    EXPECT_EQ(memLockHandle(h), nullptr);
    EXPECT_EQ(memGetLastError(), kMemErrEmptyHandle);
    EXPECT_EQ(memGetHandleSize(h), 0);
    ASSERT_EQ(memResizeHandle(h, 40), kErrNone);
    void* data = memLockHandle(h);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(data) % 16, 0u);
    EXPECT_EQ(memGetHandleSize(h), 40);
    EXPECT_EQ(memHandleFromPtr(data), h);
    EXPECT_EQ(memUnlockHandle(h), kErrNone);
    EXPECT_EQ(memFreeHandle(h), kErrNone);
}

TEST_F(MemoryHandles, LockCountStopsAt127) {
    const memHandle h = memAllocHandle(8);
    for (int i = 0; i < 127; ++i) ASSERT_NE(memLockHandle(h), nullptr);
    EXPECT_EQ(memLockHandle(h), nullptr);
    EXPECT_EQ(memGetLastError(), kMemErrLockCount);
    EXPECT_EQ(memGetLockCount(h), 127);
    EXPECT_EQ(memSetLockCount(h, 128), -1);
    EXPECT_EQ(memSetLockCount(h, 0), 127);
    EXPECT_EQ(memUnlockHandle(h), kMemErrLockCount);
}

TEST_F(MemoryHandles, LockedHandlesAreNeitherFreedResizedNorSwapped) {
    const memHandle a = memAllocHandle(8);
    const memHandle b = memAllocHandle(8);
    memLockHandle(a);
    EXPECT_EQ(memFreeHandle(a), kMemErrHandleLocked);
    EXPECT_EQ(memResizeHandle(a, 16), kMemErrHandleLocked);
    EXPECT_EQ(memSwapHandles(a, b), kMemErrHandleLocked);
    EXPECT_EQ(memGetHandleSize(a), 8);
    memUnlockHandle(a);
    EXPECT_EQ(memFreeHandle(a), kErrNone);
    EXPECT_EQ(memFreeHandle(b), kErrNone);
}

TEST_F(MemoryHandles, BadHandlesAreRefused) {
    EXPECT_EQ(memFreeHandle(0), kMemErrBadHandle);
    EXPECT_EQ(memUnlockHandle(60000), kMemErrBadHandle);
    EXPECT_EQ(memGetHandleSize(0), -1);
    const memHandle h = memAllocHandle(4);
    memFreeHandle(h);
    EXPECT_FALSE(memIsHandleValid(h));
    EXPECT_EQ(memLockHandle(h), nullptr);
    EXPECT_EQ(memGetLastError(), kMemErrBadHandle);
}

TEST_F(MemoryHandles, FreedHandlesAreReusedLastFreedFirst) {
    const memHandle a = memAllocHandle(4);
    const memHandle b = memAllocHandle(4);
    memFreeHandle(a);
    memFreeHandle(b);
    EXPECT_EQ(memAllocHandle(4), b);
    EXPECT_EQ(memAllocHandle(4), a);
}

TEST_F(MemoryHandles, ResizeKeepsContentAndSwapFixesOwners) {
    const memHandle a = memAllocHandle(4);
    const memHandle b = memAllocHandle(4);
    std::memcpy(memDerefHandle(a), "abc", 4);
    ASSERT_EQ(memResizeHandle(a, 100000), kErrNone);
    EXPECT_STREQ(static_cast<char*>(memDerefHandle(a)), "abc");
    ASSERT_EQ(memSwapHandles(a, b), kErrNone);
    EXPECT_EQ(memGetHandleSize(b), 100000);
    EXPECT_STREQ(static_cast<char*>(memDerefHandle(b)), "abc");
    EXPECT_EQ(memHandleFromPtr(memDerefHandle(b)), b);
    EXPECT_EQ(memHandleFromPtr(memDerefHandle(a)), a);
    EXPECT_TRUE(memIsHandleValid(a));
    EXPECT_TRUE(memIsHandleValid(b));
    ASSERT_EQ(memResizeHandle(b, 0), kErrNone);
    EXPECT_EQ(memDerefHandle(b), nullptr);
    EXPECT_EQ(memGetLastError(), kMemErrEmptyHandle);
}

TEST_F(MemoryHandles, PurgeTakesLeastUsedBlocksFirstAndAgesTheRest) {
    const memHandle often = purgeableBlock(100, 5);
    const memHandle seldom = purgeableBlock(100, 2);
    const memHandle locked = purgeableBlock(100, 0);
    memLockHandle(locked);
    const memHandle fixed = memAllocHandle(100);

    EXPECT_EQ(memPurgeSpace(0, 0), 200u);
    EXPECT_NE(memDerefHandle(often), nullptr);

    EXPECT_EQ(memPurgeSpace(50, 0), 100u);
    EXPECT_EQ(memGetHandleSize(seldom), 0);
    EXPECT_EQ(memGetHandleSize(often), 100);
    EXPECT_EQ(memGetHandleSize(locked), 100);
    EXPECT_EQ(memGetHandleSize(fixed), 100);
    EXPECT_TRUE(memIsHandleValid(seldom));

    EXPECT_EQ(memPurgeSpace(1000, 0), 100u);
    EXPECT_EQ(memGetHandleSize(often), 0);
    EXPECT_EQ(memGetHandleSize(locked), 100);
    memUnlockHandle(locked);
}

u16 refuseEverything(memHandle, u32) { return 0; }

TEST_F(MemoryHandles, PurgeRespectsThePermissionCallbackAndTheEnabledFlag) {
    const memHandle h = purgeableBlock(64, 3);
    memSetPurgeCallback(refuseEverything);
    EXPECT_EQ(memPurgeSpace(64, 7), 0u);
    EXPECT_EQ(memGetHandleSize(h), 64);
    memSetPurgeCallback(nullptr);
    EXPECT_EQ(memSetPurgeEnabled(0), 1);
    EXPECT_EQ(memPurgeSpace(64, 0), 0u);
    memSetPurgeEnabled(1);
    EXPECT_EQ(memPurgeSpace(64, 0), 64u);
}

struct LowMemoryLog {
    std::vector<std::pair<u32, EngineErr>> calls;
    ScriptedAllocator* system = nullptr;
    bool releaseOnCall = false;
};
LowMemoryLog lowMemoryLog;

u16 recordLowMemory(u32 bytes, EngineErr error) {
    lowMemoryLog.calls.emplace_back(bytes, error);
    if (!lowMemoryLog.releaseOnCall) return 0;
    lowMemoryLog.system->largestGranted = SIZE_MAX;
    return 1;
}

TEST_F(MemoryHandles, OutOfMemoryPurgesThenAsksTheApplication) {
    lowMemoryLog = {{}, &system, false};
    const memHandle spare = purgeableBlock(4096, 1);
    system.largestGranted = 2048;
    memSetLowMemoryCallback(recordLowMemory);

    EXPECT_EQ(memAllocHandle(8192), 0);
    EXPECT_EQ(memGetLastError(), kMemErrOutOfMemory);
    EXPECT_EQ(memGetHandleSize(spare), 0) << "the purgeable block goes before the application is asked";
    ASSERT_FALSE(lowMemoryLog.calls.empty());
    EXPECT_EQ(lowMemoryLog.calls.front(), (std::pair<u32, EngineErr>{8192, kMemErrOutOfMemory}));

    lowMemoryLog.calls.clear();
    lowMemoryLog.releaseOnCall = true;
    const memHandle h = memAllocHandle(8192);
    EXPECT_NE(h, 0);
    EXPECT_EQ(lowMemoryLog.calls.size(), 1u);
}

TEST_F(MemoryHandles, RefusedRequestsEndEvenWhenTheSystemClaimsRoom) {
    system.reportedFree = uint64_t(1) << 40;
    system.refuseAll = true;
    EXPECT_EQ(memAllocPtr(16), nullptr);
    EXPECT_EQ(memGetLastError(), kMemErrOutOfMemory);
}

TEST_F(MemoryHandles, FreeSpaceLeavesRoomForTheHeader) {
    system.reportedFree = 12;
    EXPECT_EQ(memGetFreeSpace(0), 0u);
    system.reportedFree = 112;
    EXPECT_EQ(memGetFreeSpace(0), 100u);
    system.reportedFree = uint64_t(1) << 40;
    EXPECT_EQ(memGetFreeSpace(0), 0xFFFFFFFFu);
}

TEST_F(MemoryHandles, FullTableAsksTheApplicationWithTableFullCode) {
    lowMemoryLog = {{}, &system, false};
    memSetLowMemoryCallback(recordLowMemory);
    std::vector<memHandle> handles;
    for (;;) {
        const memHandle h = memAllocHandle(0);
        if (!h) break;
        handles.push_back(h);
    }
    EXPECT_EQ(handles.size(), size_t(kMemMaxHandles));
    EXPECT_EQ(memGetLastError(), kMemErrTooManyHandles);
    ASSERT_FALSE(lowMemoryLog.calls.empty());
    EXPECT_EQ(lowMemoryLog.calls.front(), (std::pair<u32, EngineErr>{0, kMemErrTooManyHandles}));
    memFreeHandle(handles[10]);
    EXPECT_EQ(memAllocHandle(0), handles[10]);
}

TEST_F(MemoryHandles, StartRefusesALimitAboveOneMegabyte) {
    EXPECT_EQ(memInit(0x100001, 512), kMemErrOutOfMemory);
    EXPECT_EQ(memInit(0x100000, 512), kErrNone);
}

TEST_F(MemoryHandles, ResourceFileSlotsAreThreeAndProtectTheirHandles) {
    EXPECT_EQ(memNewOwnerSlot(), 1);
    EXPECT_EQ(memNewOwnerSlot(), 2);
    EXPECT_EQ(memNewOwnerSlot(), 3);
    EXPECT_EQ(memNewOwnerSlot(), 0);
    EXPECT_EQ(memGetLastError(), kMemErrNoOwnerSlot);

    const memHandle h = memAllocHandle(8);
    ASSERT_EQ(memSetHandleOwner(h, 2), kErrNone);
    EXPECT_EQ(memGetHandleOwner(h), 2);
    EXPECT_EQ(memFreeHandle(h), kMemErrResourceOwned);
    EXPECT_EQ(memFreePtr(memDerefHandle(h)), kMemErrResourceOwned);
    memSetHandleOwner(h, 0);
    EXPECT_EQ(memFreeHandle(h), kErrNone);
}

TEST_F(MemoryHandles, FreeingAHandleBlockByPointerReleasesItsHandle) {
    const memHandle h = memAllocHandle(32);
    void* data = memLockHandle(h);
    ASSERT_EQ(memFreePtr(data), kErrNone);
    EXPECT_FALSE(memIsHandleValid(h));
    EXPECT_EQ(memAllocHandle(8), h);
}

TEST_F(MemoryHandles, PointerBlocksCheckTheirMark) {
    alignas(16) u8 foreign[64] = {};
    EXPECT_EQ(memFreePtr(foreign + 32), kMemErrBadPointer);
    EXPECT_EQ(memGetPtrSize(foreign + 32), 0u);
    EXPECT_EQ(memGetLastError(), kMemErrBadPointer);
    EXPECT_EQ(memFreePtr(nullptr), kMemErrBadPointer);

    EXPECT_EQ(memAllocPtr(0), nullptr);
    EXPECT_EQ(memGetLastError(), kErrNone);
    void* p = memResizePtr(nullptr, 10);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(memGetPtrSize(p), 10u);
    EXPECT_EQ(memHandleFromPtr(p), 0);
    EXPECT_EQ(memGetLastError(), kMemErrNotHandleBlock);
    EXPECT_FALSE(memIsPtrLocked(p));
    std::memcpy(p, "0123456789", 10);
    p = memResizePtr(p, 5000);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(std::memcmp(p, "0123456789", 10), 0);
    EXPECT_EQ(memLockPtrPages(p), kErrNone);
    EXPECT_EQ(memUnlockPtrPages(p), kErrNone);
    EXPECT_EQ(memResizePtr(p, 0), nullptr);
}

TEST_F(MemoryHandles, ResizingAHandleBlockByPointerKeepsTheHandleInStep) {
    const memHandle h = memAllocHandle(8);
    void* data = memLockHandle(h);
    EXPECT_TRUE(memIsPtrLocked(data));
    void* moved = memResizePtr(data, 1 << 20);
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(memDerefHandle(h), moved);
    EXPECT_EQ(memGetHandleSize(h), 1 << 20);
    memUnlockHandle(h);
    EXPECT_EQ(memFreeHandle(h), kErrNone);
}

TEST(MemoryCopy, FillAndOverlappingCopy) {
    u8 bytes[11] = {};
    memFill(bytes, 0xAB, 11);
    for (u8 b : bytes) EXPECT_EQ(b, 0xAB);
    u8 text[] = "abcdefgh";
    memCopy(text + 2, text, 5);
    EXPECT_STREQ(reinterpret_cast<char*>(text), "ababcdeh");
}

}  // namespace

namespace {

class MemoryUnderPressure : public MemoryHandles {};

TEST_F(MemoryUnderPressure, ABlockBeingResizedIsNeverPurgedFromUnderTheResize) {
    const memHandle growing = purgeableBlock(64, 0);
    std::memcpy(memDerefHandle(growing), "keep", 5);
    const memHandle other = purgeableBlock(64, 0);
    system.largestGranted = 1024;
    EXPECT_EQ(memResizeHandle(growing, 4096), kMemErrOutOfMemory);
    EXPECT_EQ(memGetHandleSize(growing), 64) << "the failed resize leaves the block as it was";
    EXPECT_STREQ(static_cast<char*>(memDerefHandle(growing)), "keep");
    EXPECT_EQ(memGetHandleSize(other), 0) << "other purgeable blocks still make room";
    EXPECT_EQ(memGetLockCount(growing), 0);

    void* data = memDerefHandle(growing);
    EXPECT_EQ(memResizePtr(data, 4096), nullptr);
    EXPECT_STREQ(static_cast<char*>(memDerefHandle(growing)), "keep");
}

}  // namespace

namespace {

// A purge-permission callback that takes a handle of its own, as a cache making room for a
// reload might: with the table full, that grows (and moves) the table under the purge.
struct ReentrantPurge {
    std::vector<memHandle> taken;
};
ReentrantPurge reentrantPurge;

u16 allowAfterTakingAHandle(memHandle, u32) {
    reentrantPurge.taken.push_back(memAllocHandle(0));
    return 1;
}

class MemoryCallbacksReentering : public MemoryHandles {
protected:
    // Takes empty handles until the table's `entries` are all in use, so the next one grows it.
    void fillTable(u32 inUse, u32 entries) {
        for (u32 i = inUse; i < entries; ++i) ASSERT_NE(memAllocHandle(0), 0);
    }
};

TEST_F(MemoryCallbacksReentering, PurgeKeepsItsPlaceWhenThePermissionCallbackGrowsTheTable) {
    reentrantPurge = {};
    const memHandle purgeable = purgeableBlock(64, 0);
    fillTable(1, 512);
    memSetPurgeCallback(allowAfterTakingAHandle);

    EXPECT_EQ(memPurgeSpace(64, 0), 64u);
    EXPECT_EQ(memGetHandleSize(purgeable), 0);
    ASSERT_EQ(reentrantPurge.taken.size(), 1u);
    EXPECT_EQ(reentrantPurge.taken[0], 513);
    EXPECT_TRUE(memIsHandleValid(reentrantPurge.taken[0]));
}

TEST_F(MemoryCallbacksReentering, TableGrowthKeepsStepWhenAPurgeCallbackGrewItMeanwhile) {
    reentrantPurge = {};
    purgeableBlock(64, 0);
    fillTable(1, 512);
    memSetPurgeCallback(allowAfterTakingAHandle);
    system.refuseOnceSize = 16 * 768;  // the first try to grow to 768 entries

    const memHandle h = memAllocHandle(0);
    ASSERT_EQ(reentrantPurge.taken.size(), 1u);
    EXPECT_EQ(reentrantPurge.taken[0], 513);
    EXPECT_EQ(h, 514);
    EXPECT_TRUE(memIsHandleValid(513));
    EXPECT_EQ(memGetHandleSize(513), 0);
    for (memHandle more = 515; more <= 1024; ++more) EXPECT_EQ(memAllocHandle(0), more);
}

}  // namespace
