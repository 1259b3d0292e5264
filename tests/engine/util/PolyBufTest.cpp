#include "engine/util/PolyBuf.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "engine/util/MemoryBlocks.h"
#include "tests/engine/util/UtilTestSupport.h"

namespace {

class PolyBufs : public EngineMemoryFixture {
protected:
    static memHandle handleWith(const std::string& bytes) {
        memHandle handle = 0;
        EXPECT_EQ(NewHandleFromData(&handle, bytes.data(), u32(bytes.size())), kErrNone);
        return handle;
    }
    static std::string contents(memHandle handle) {
        const i32 size = memGetHandleSize(handle);
        const char* data = static_cast<const char*>(memLockHandle(handle));
        std::string text(data, size_t(size));
        memUnlockHandle(handle);
        return text;
    }
};

enum class Road { Free, Detach, Destroy, TakeOver };

struct RoadCase {
    const char* name;
    Road road;
    bool blockFreed;     // the wrapped engine block is gone after the road
    bool handOutSame;    // the take-over hands out the wrapped handle itself
};

// Engine-backed buffers: after each road the wrapped block is gone or alive as the road says,
// and the buffer's destruction that follows never frees it a second time.
class PolyBufRoads : public PolyBufs, public ::testing::WithParamInterface<RoadCase> {};

TEST_P(PolyBufRoads, MemHandleBufferFreesOnceWhicheverRoad) {
    const RoadCase& c = GetParam();
    const memHandle handle = handleWith("pixels");
    memHandle out = 0;
    {
        PolyBufMemH buffer(handle);
        ASSERT_NE(buffer.Lock(), nullptr);
        switch (c.road) {
            case Road::Free: buffer.Free(); break;
            case Road::Detach: buffer.Detach(); break;
            case Road::Destroy: break;
            case Road::TakeOver: ASSERT_EQ(buffer.CopyToHandle(&out, 6, 1), kErrNone); break;
        }
        if (c.road != Road::Destroy) {
            EXPECT_EQ(buffer.Handle(), 0);
            EXPECT_EQ(buffer.Lock(), nullptr);
        }
    }
    if (c.road == Road::TakeOver) {
        EXPECT_EQ(out, handle);
        EXPECT_EQ(memGetLockCount(handle), 0) << "the handed-out handle must come unlocked";
        EXPECT_EQ(contents(out), "pixels");
        EXPECT_EQ(memFreeHandle(out), kErrNone);
    } else if (c.road == Road::Detach) {
        EXPECT_EQ(memGetLockCount(handle), 0);
        EXPECT_EQ(memFreeHandle(handle), kErrNone) << "a detached handle is the taker's to free";
    } else {
        EXPECT_FALSE(memIsHandleValid(handle));
    }
}

TEST_P(PolyBufRoads, MemBlockBufferFreesOnceWhicheverRoad) {
    const RoadCase& c = GetParam();
    memHandle out = 0;
    void* block = nullptr;
    memHandle owner = 0;
    {
        PolyBufMem buffer(u32(16));
        block = buffer.Lock();
        ASSERT_NE(block, nullptr);
        owner = memHandleFromPtr(block);
        std::memcpy(block, "zeroes and data", 16);
        switch (c.road) {
            case Road::Free: buffer.Free(); break;
            case Road::Detach: buffer.Detach(); break;
            case Road::Destroy: break;
            case Road::TakeOver: ASSERT_EQ(buffer.CopyToHandle(&out, 16, 1), kErrNone); break;
        }
        if (c.road != Road::Destroy) {
            EXPECT_EQ(buffer.Lock(), nullptr);
        }
    }
    EXPECT_EQ(handleAlive(owner), !c.blockFreed);
    if (c.road == Road::Detach) {
        EXPECT_EQ(memFreePtr(block), kErrNone);
    }
    if (c.road == Road::TakeOver) {
        EXPECT_NE(out, owner);
        EXPECT_EQ(contents(out), std::string("zeroes and data", 16));
        memFreeHandle(out);
    }
}

INSTANTIATE_TEST_SUITE_P(Roads, PolyBufRoads,
                         ::testing::Values(RoadCase{"Free", Road::Free, true, false},
                                           RoadCase{"Detach", Road::Detach, false, false},
                                           RoadCase{"Destroy", Road::Destroy, true, false},
                                           RoadCase{"TakeOver", Road::TakeOver, true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// The C heap's buffer: a double free or a leak here is reported by the sanitizers.
TEST_F(PolyBufs, HeapBufferFreesOnceWhicheverRoad) {
    for (Road road : {Road::Free, Road::Detach, Road::Destroy, Road::TakeOver}) {
        void* block = std::malloc(4);
        std::memcpy(block, "abc", 4);
        memHandle out = 0;
        {
            PolyBufFree buffer(block);
            if (road == Road::Free) buffer.Free();
            if (road == Road::Detach) buffer.Detach();
            if (road == Road::TakeOver) {
                ASSERT_EQ(buffer.CopyToHandle(&out, 4, 1), kErrNone);
            }
        }
        if (road == Road::Detach) std::free(block);
        if (road == Road::TakeOver) {
            EXPECT_EQ(contents(out), std::string("abc", 4));
            memFreeHandle(out);
        }
    }
}

TEST_F(PolyBufs, PlainAddressIsNeverFreed) {
    char bytes[4] = "xyz";
    memHandle out = 0;
    {
        PolyBufAddr buffer(bytes);
        buffer.Free();
        EXPECT_EQ(buffer.Lock(), bytes);
        ASSERT_EQ(buffer.CopyToHandle(&out, 4, 1), kErrNone);
    }
    EXPECT_STREQ(bytes, "xyz");
    EXPECT_EQ(contents(out), std::string("xyz", 4));
    memFreeHandle(out);
}

// Asked for more than the block holds, a copy takes only what is there.
struct CopySizeCase {
    u32 asked;
    u32 copied;
};

class PolyBufCopySizes : public PolyBufs, public ::testing::WithParamInterface<CopySizeCase> {};

TEST_P(PolyBufCopySizes, CopyNeverReadsPastTheBlock) {
    const CopySizeCase& c = GetParam();
    PolyBufMem block(u32(8));
    std::memcpy(block.Lock(), "12345678", 8);
    PolyBufMemH handle(handleWith("12345678"));
    for (PolyBuf* buffer : {static_cast<PolyBuf*>(&block), static_cast<PolyBuf*>(&handle)}) {
        memHandle out = 0;
        ASSERT_EQ(buffer->CopyToHandle(&out, c.asked, 0), kErrNone);
        EXPECT_EQ(contents(out), std::string("12345678").substr(0, c.copied));
        memFreeHandle(out);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, PolyBufCopySizes,
                         ::testing::Values(CopySizeCase{7, 7}, CopySizeCase{8, 8}, CopySizeCase{9, 8},
                                           CopySizeCase{4000, 8}));

TEST_F(PolyBufs, CopyWithoutBlockIsRefused) {
    PolyBuf none;
    PolyBufMem empty(nullptr);
    PolyBufMemH noHandle(0);
    memHandle out = 7;
    EXPECT_EQ(none.CopyToHandle(&out, 4, 0), kPolyBufErrNoKind);
    EXPECT_EQ(out, 0);
    out = 7;
    EXPECT_EQ(empty.CopyToHandle(&out, 4, 0), kMemErrBadHandle);
    EXPECT_EQ(out, 0);
    out = 7;
    EXPECT_EQ(noHandle.CopyToHandle(&out, 4, 1), kMemErrBadHandle);
    EXPECT_EQ(out, 0);
}

TEST_F(PolyBufs, HandleIsLockedOnceHoweverOftenLockIsCalled) {
    PolyBufMemH buffer(handleWith("ab"));
    void* first = buffer.Lock();
    EXPECT_EQ(buffer.Lock(), first);
    EXPECT_EQ(memGetLockCount(buffer.Handle()), 1);
    buffer.Unlock();
    EXPECT_EQ(memGetLockCount(buffer.Handle()), 0);
    buffer.Unlock();
    EXPECT_EQ(memGetLockCount(buffer.Handle()), 0);
}

TEST_F(PolyBufs, CopyOfLockedHandleLeavesItLockedOnce) {
    PolyBufMemH buffer(handleWith("ab"));
    buffer.Lock();
    memHandle out = 0;
    ASSERT_EQ(buffer.CopyToHandle(&out, 2, 0), kErrNone);
    EXPECT_EQ(memGetLockCount(buffer.Handle()), 1);
    memFreeHandle(out);
}

TEST_F(PolyBufs, ObjectsStartZeroFilledInEngineMemory) {
    struct Probe : OpNew {
        u32 words[8];
    };
    void* raw = Probe::operator new(sizeof(Probe));
    std::memset(raw, 0xAB, sizeof(Probe));
    Probe::operator delete(raw);
    std::unique_ptr<Probe> probe(new Probe);
    EXPECT_NE(memHandleFromPtr(probe.get()), 0);
    for (u32 word : probe->words) EXPECT_EQ(word, 0u);
    std::unique_ptr<PolyBufMem> buffer(NewPolyBufMem(32));
    ASSERT_NE(buffer, nullptr);
    const std::string block(static_cast<const char*>(buffer->Lock()), 32);
    EXPECT_EQ(block, std::string(32, '\0'));
}

TEST_F(PolyBufs, BlockHelpers) {
    memHandle copy = 9;
    EXPECT_EQ(DuplicateHandleBlock(&copy, 0), kBlockErrNoSource);
    EXPECT_EQ(copy, 0);
    const memHandle source = handleWith("hello");
    ASSERT_EQ(DuplicateHandleBlock(&copy, source), kErrNone);
    EXPECT_NE(copy, source);
    EXPECT_EQ(contents(copy), "hello");
    memFreeHandle(copy);
    memFreeHandle(source);

    EXPECT_EQ(StrDupHandle(nullptr), nullptr);
    char* text = StrDupHandle("key");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(memGetPtrSize(text), 4u);
    EXPECT_STREQ(text, "key");
    FreeMemBlock(text);

    // An unlocked handle's block goes through its handle, which goes with it.
    const memHandle loose = handleWith("x");
    void* block = memDerefHandle(loose);
    FreeMemBlock(block);
    EXPECT_FALSE(memIsHandleValid(loose));
    EXPECT_EQ(AllocZeroedBlock(0), nullptr);
}

}  // namespace
