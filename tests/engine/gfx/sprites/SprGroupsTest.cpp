#include "engine/gfx/sprites/SprShapes.h"

#include <gtest/gtest.h>

#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/sprites/format/ShapeErrors.h"
#include "tests/engine/gfx/sprites/SprShapesTestSupport.h"

namespace {

using namespace testshape;

bool isRed(GfxPort* port, i16 x, i16 y) {
    GfxColor c;
    port->ReadPixel(&c, x, y);
    return c.red > 0xC0 && c.green < 0x40 && c.blue < 0x40;
}

bool isBlack(GfxPort* port, i16 x, i16 y) {
    GfxColor c;
    port->ReadPixel(&c, x, y);
    return c.red == 0 && c.green == 0 && c.blue == 0;
}

class SprGroups : public SprShapesTest {};

TEST_F(SprGroups, RawAndRunLengthFramesAreConvertedToMachineOrder) {
    ASSERT_NE(openArchive(groupWithScripts(100, rawAndPackedGroup(), 100, 2)), 0);
    ASSERT_EQ(sprLoadGroup(100, 2, 0, 0, kSprFirstIsGroupId), 0);
    ASSERT_EQ(sprGroupFrameCount(0), 2);
    std::span<const u8> raw = sprGroupFrame(0, 1), packed = sprGroupFrame(0, 2);
    ASSERT_FALSE(raw.empty());
    ASSERT_FALSE(packed.empty());
    EXPECT_TRUE(readBE16(raw.data() + 6) & kGfxFormatMachineOrder);
    EXPECT_EQ(readLE16(raw.data() + 8), 0x7C00);
    EXPECT_EQ(readLE16(raw.data() + 14), 0x7FFF);
    // Run headers stay big-endian; only colours turn.
    EXPECT_TRUE(readBE16(packed.data() + 6) & kGfxFormatMachineOrder);
    EXPECT_EQ(readBE16(packed.data() + 8), 2);
    EXPECT_EQ(readBE16(packed.data() + 12), 2);
    EXPECT_EQ(readLE16(packed.data() + 16), 0x7C00);
    EXPECT_EQ(readLE16(packed.data() + 18), 0x03E0);
    EXPECT_EQ(gfxGetBitmapPixel(packed.data(), u32(packed.size()), 1, 0), 0x7C00);
    EXPECT_EQ(gfxGetBitmapPixel(packed.data(), u32(packed.size()), 0, 0), -2);
}

TEST_F(SprGroups, CompressedGroupsOfBothMethodsLoadLikeThePlainOne) {
    const Bytes plain = rawAndPackedGroup();
    ASSERT_NE(openArchive({{kSprGroupType, 100, plain},
                           {kSprGroupType, 200, shapeGroupCompress(plain, ShapeMethod::A)},
                           {kSprGroupType, 300, shapeGroupCompress(plain, ShapeMethod::B)}}),
              0);
    ASSERT_EQ(sprLoadGroup(100, 0, 0, 0, 1000), 0);
    ASSERT_EQ(sprLoadGroup(200, 0, 0, 0, 2000), 1);
    ASSERT_EQ(sprLoadGroup(300, 0, 0, 0, 3000), 2);
    const std::span<const u8> reference = sprGroupFrame(0, 1);
    for (i16 slot : {1, 2}) {
        std::span<const u8> frame = sprGroupFrame(slot, 1);
        ASSERT_EQ(frame.size(), reference.size()) << slot;
        EXPECT_TRUE(std::equal(frame.begin(), frame.end(), reference.begin())) << slot;
    }
}

TEST_F(SprGroups, DrawsFramesMovedBackByTheirOffsets) {
    ASSERT_NE(openArchive(groupWithScripts(100, rawAndPackedGroup(), 100, 1)), 0);
    ASSERT_EQ(sprLoadGroup(100, 1, 0, 0, kSprFirstIsGroupId), 0);
    SurfacePort* port = makePort(16, 16, 16);
    Rect16 drawn;
    sprDrawFrame(0, 1, 8, 8, &drawn);
    // Frame 1's offsets are (3, 1).
    EXPECT_TRUE(rectEqual(drawn, Rect16{5, 7, 7, 9}));
    EXPECT_TRUE(isRed(port, 5, 7));
    EXPECT_TRUE(isBlack(port, 8, 8));
    // The packed frame leaves its gaps transparent.
    sprDrawFrame(0, 2, 0, 0, &drawn);
    EXPECT_TRUE(rectEqual(drawn, Rect16{-5, -2, -1, -1}));
}

TEST_F(SprGroups, DrawsAtThePointWithoutOffsetTables) {
    ASSERT_NE(openArchive(groupWithScripts(100, rawAndPackedGroup(), 100, 1)), 0);
    // A shape count of 0 loads no offset tables.
    ASSERT_EQ(sprLoadGroup(100, 0, 0, 0, kSprFirstIsGroupId), 0);
    EXPECT_FALSE(sprGroupHasOffsets(0));
    SurfacePort* port = makePort(16, 16, 16);
    Rect16 drawn;
    sprDrawFrame(0, 2, 4, 4, &drawn);
    EXPECT_TRUE(rectEqual(drawn, Rect16{4, 4, 8, 5}));
    EXPECT_TRUE(isBlack(port, 4, 4));
    EXPECT_TRUE(isRed(port, 5, 4));
}

struct DrawCase {
    const char* name;
    i16 slot;
    i16 frame;
    bool drawn;
};
void PrintTo(const DrawCase& c, std::ostream* os) { *os << c.name; }

class SprDrawFrameLimits : public SprShapesTest, public ::testing::WithParamInterface<DrawCase> {};

TEST_P(SprDrawFrameLimits, DrawsOnlyFramesThatExist) {
    const DrawCase& c = GetParam();
    ASSERT_NE(openArchive(groupWithScripts(100, rawAndPackedGroup(), 100, 1)), 0);
    ASSERT_EQ(sprLoadGroup(100, 0, 0, 0, kSprFirstIsGroupId), 0);
    SurfacePort* port = makePort(8, 8, 16);
    Rect16 drawn{1, 1, 1, 1};
    sprDrawFrame(c.slot, c.frame, 1, 1, &drawn);
    EXPECT_EQ(!rectIsEmpty(drawn), c.drawn);
    if (!c.drawn) {
        EXPECT_TRUE(drawn.left == 0 && drawn.top == 0 && drawn.right == 0 && drawn.bottom == 0);
        EXPECT_TRUE(isBlack(port, 1, 1));
    }
}

INSTANTIATE_TEST_SUITE_P(SprGroups, SprDrawFrameLimits,
                         ::testing::Values(DrawCase{"frame 0", 0, 0, false}, DrawCase{"frame 1", 0, 1, true},
                                           DrawCase{"last frame", 0, 2, true}, DrawCase{"one past the last", 0, 3, false},
                                           DrawCase{"negative frame", 0, -1, false}, DrawCase{"slot -1", -1, 1, false},
                                           DrawCase{"empty slot", 1, 1, false}, DrawCase{"slot 13", 13, 1, false},
                                           DrawCase{"slot 14", 14, 1, false}));

TEST_F(SprGroups, ReleasingAMiddleSlotKeepsTheLaterGroupsRight) {
    ASSERT_NE(openArchive(groupWithScripts(100, rawAndPackedGroup(0x7C00), 1000, 3)), 0);
    ASSERT_NE(openArchive(groupWithScripts(200, rawAndPackedGroup(0x03E0), 2000, 4)), 0);
    ASSERT_NE(openArchive(groupWithScripts(300, rawAndPackedGroup(0x7C00), 3000, 2)), 0);
    ASSERT_EQ(sprLoadGroup(100, 3, 0, 0, 1000), 0);
    ASSERT_EQ(sprLoadGroup(200, 4, 0, 0, 2000), 1);
    ASSERT_EQ(sprLoadGroup(300, 2, 0, 0, 3000), 2);
    i16 index = 0, slot = 0;
    ASSERT_TRUE(sprFindShape(3001, &index, &slot));
    EXPECT_EQ(index, 3 + 4 + 1);
    EXPECT_EQ(slot, 2);

    sprReleaseGroup(200, 0);
    EXPECT_EQ(hookLog.disposed, std::vector<u16>{1});
    EXPECT_EQ(hookLog.rangesChanged, 1);
    EXPECT_EQ(sprFindGroup(200), kSprNoSlot);
    EXPECT_EQ(sprFindGroup(300), 1);
    ASSERT_TRUE(sprFindShape(3001, &index, &slot));
    EXPECT_EQ(index, 3 + 1);
    EXPECT_EQ(slot, 1);
    EXPECT_EQ(scriptShape(3000), 3000);
    EXPECT_EQ(scriptShape(3001), 3001);
    EXPECT_EQ(scriptShape(1002), 1002);
    EXPECT_EQ(scriptShape(2000), -1);
    // The later group's frames are drawn from its new slot.
    SurfacePort* port = makePort(8, 8, 16);
    Rect16 drawn;
    sprDrawFrame(1, 1, 3, 1, &drawn);
    EXPECT_TRUE(isRed(port, 0, 0));
    sprDrawFrame(2, 1, 3, 1, &drawn);
    EXPECT_TRUE(rectIsEmpty(drawn));
}

TEST_F(SprGroups, ReleasedScriptsLeaveMemory) {
    ASSERT_NE(openArchive(groupWithScripts(100, rawAndPackedGroup(), 1000, 2)), 0);
    ASSERT_EQ(sprLoadGroup(100, 2, 0, 0, 1000), 0);
    const ResourceRef script = resFindResource(kSprScriptType, 1001, 0);
    const ResourceRef group = resFindResource(kSprGroupType, 100, 0);
    EXPECT_NE(resGetResourceHandle(script), 0);
    sprReleaseGroup(100, 0);
    EXPECT_EQ(resGetResourceHandle(script), 0);
    EXPECT_EQ(resGetResourceHandle(group), 0);
}

TEST_F(SprGroups, LoadingTheSameGroupTwiceGivesOneSlotAndTwoRanges) {
    ASSERT_NE(openArchive(groupWithScripts(100, rawAndPackedGroup(), 100, 3)), 0);
    ASSERT_EQ(sprLoadGroup(100, 2, 0, 0, 100), 0);
    ASSERT_EQ(sprLoadGroup(100, 3, 0, 0, 100), 0);
    EXPECT_EQ(sprFindGroup(100), 0);
    // The second range's scripts share resources with the first: converted once, right in both.
    i16 index = 0, slot = 0;
    ASSERT_TRUE(sprFindShape(102, &index, &slot));
    EXPECT_EQ(index, 2 + 2);
    EXPECT_EQ(scriptShape(101), 101);
    std::span<const u8> shared = sprCachedScript(2 + 1, 101);
    ASSERT_GE(shared.size(), 4u);
    EXPECT_EQ(readLE16(shared.data() + 2), 101);
    sprReleaseGroup(100, 0);
    EXPECT_FALSE(sprFindShape(100, &index, &slot));
}

TEST_F(SprGroups, EveryScriptTakesConsecutiveScriptsWhileTheyExist) {
    ASSERT_NE(openArchive(groupWithScripts(100, rawAndPackedGroup(), 100, 3)), 0);
    ASSERT_EQ(sprLoadGroup(100, kSprEveryScript, 0, 0, kSprFirstIsGroupId), 0);
    i16 index = 0, slot = 0;
    EXPECT_TRUE(sprFindShape(102, &index, &slot));
    EXPECT_FALSE(sprFindShape(103, &index, &slot));
    // Offset tables come with a non-zero count.
    EXPECT_TRUE(sprGroupHasOffsets(0));
    EXPECT_EQ(sprFrameOffset(0, 2).h, 5);
    EXPECT_EQ(sprFrameOffset(0, 2).v, 2);
    EXPECT_EQ(sprFrameOffset(0, 3).h, 0);
}

TEST_F(SprGroups, PreloadCountLoadsOnlyTheFirstScripts) {
    ASSERT_NE(openArchive(groupWithScripts(100, rawAndPackedGroup(), 100, 3)), 0);
    ASSERT_EQ(sprLoadGroup(100, 3, 1, 0, 100), 0);
    EXPECT_NE(resGetResourceHandle(resFindResource(kSprScriptType, 100, 0)), 0);
    EXPECT_EQ(resGetResourceHandle(resFindResource(kSprScriptType, 101, 0)), 0);
    // The rest come when asked for.
    EXPECT_EQ(scriptShape(102), 102);
}

TEST_F(SprGroups, FifteenthGroupFindsNoSlot) {
    std::vector<Resource> groups;
    for (u16 id = 1; id <= 15; ++id) groups.push_back({kSprGroupType, u16(id * 10), rawAndPackedGroup()});
    ASSERT_NE(openArchive(groups), 0);
    for (u16 id = 1; id <= 14; ++id) ASSERT_EQ(sprLoadGroup(u16(id * 10), 0, 0, 0, 0), id - 1);
    EXPECT_TRUE(hookLog.messages.empty());
    EXPECT_EQ(sprLoadGroup(150, 0, 0, 0, 0), kSprNoSlot);
    EXPECT_EQ(hookLog.messages, std::vector<std::string>{"Group # OOR"});
}

TEST_F(SprGroups, FifteenthRangeIsNotRegistered) {
    ASSERT_NE(openArchive(groupWithScripts(100, rawAndPackedGroup(), 100, 1)), 0);
    for (u16 i = 0; i < 15; ++i) ASSERT_EQ(sprLoadGroup(100, 1, 0, 0, u16(500 + i)), 0);
    i16 index = 0, slot = 0;
    EXPECT_TRUE(sprFindShape(513, &index, &slot));
    EXPECT_EQ(index, 13);
    EXPECT_FALSE(sprFindShape(514, &index, &slot));
}

TEST_F(SprGroups, RangesStopAtTheCacheAndShapesPastItHaveNoScript) {
    ASSERT_NE(openArchive(groupWithScripts(100, rawAndPackedGroup(), 100, 1)), 0);
    // 700 entries in use: the next range is still registered, but its shapes have no place.
    ASSERT_EQ(sprLoadGroup(100, 699, 1, 0, 1000), 0);
    ASSERT_EQ(sprLoadGroup(100, 2, 0, 0, 5000), 0);
    i16 index = 0, slot = 0;
    EXPECT_TRUE(sprFindShape(5000, &index, &slot));
    EXPECT_EQ(index, 699);
    EXPECT_FALSE(sprFindShape(5001, &index, &slot));
    // 701 in use: no further range at all.
    ASSERT_EQ(sprLoadGroup(100, 1, 0, 0, 6000), 0);
    EXPECT_FALSE(sprFindShape(6000, &index, &slot));
    EXPECT_TRUE(sprCachedScript(700, 6000).empty());
}

TEST_F(SprGroups, ReleasingEverythingEmptiesTheTables) {
    ASSERT_NE(openArchive(groupWithScripts(100, rawAndPackedGroup(), 100, 2)), 0);
    ASSERT_NE(openArchive(groupWithScripts(200, rawAndPackedGroup(), 200, 2)), 0);
    ASSERT_EQ(sprLoadGroup(100, 2, 0, 0, 100), 0);
    ASSERT_EQ(sprLoadGroup(200, 2, 0, 0, 200), 1);
    sprReleaseGroup(0, 0);
    EXPECT_EQ(hookLog.disposed, std::vector<u16>{kSprNoSlot});
    EXPECT_EQ(sprFindGroup(100), kSprNoSlot);
    EXPECT_EQ(sprFindGroup(200), kSprNoSlot);
    EXPECT_EQ(sprFindGroup(0), kSprNoSlot);
    i16 index = 0, slot = 0;
    EXPECT_FALSE(sprFindShape(200, &index, &slot));
    EXPECT_EQ(resGetResourceHandle(resFindResource(kSprScriptType, 200, 0)), 0);
    // Slots fill from 0 again.
    EXPECT_EQ(sprLoadGroup(200, 0, 0, 0, 200), 0);
}

TEST_F(SprGroups, ReleasingAnUnloadedGroupDoesNothing) {
    sprReleaseGroup(77, 1);
    EXPECT_TRUE(hookLog.disposed.empty());
    EXPECT_EQ(hookLog.rangesChanged, 0);
}

TEST_F(SprGroups, PurgeOnReleaseKeepsTheOtherGroupsUsable) {
    ASSERT_NE(openArchive(groupWithScripts(100, rawAndPackedGroup(), 100, 1)), 0);
    ASSERT_NE(openArchive(groupWithScripts(200, rawAndPackedGroup(0x03E0), 200, 1)), 0);
    ASSERT_EQ(sprLoadGroup(100, 1, 0, 0, 100), 0);
    ASSERT_EQ(sprLoadGroup(200, 1, 0, 0, 200), 1);
    sprReleaseGroup(100, 1);
    ASSERT_EQ(sprFindGroup(200), 0);
    std::span<const u8> frame = sprGroupFrame(0, 1);
    ASSERT_FALSE(frame.empty());
    EXPECT_EQ(readLE16(frame.data() + 8), 0x03E0);
    EXPECT_EQ(scriptShape(200), 200);
}

TEST_F(SprGroups, MissingGroupIsRetriedThenReported) {
    ASSERT_NE(openArchive({{kSprScriptType, 1, scriptFor(1)}}), 0);
    EXPECT_EQ(sprLoadGroup(100, 0, 0, 0, 0), kSprNoSlot);
    EXPECT_EQ(hookLog.soundChannelsFreed, 1);
    EXPECT_EQ(hookLog.messages, std::vector<std::string>{"error loading compound shape 100"});
    EXPECT_EQ(sprGetLastError(), kResErrNotFound);
    // The slot stays free for the next group.
    ASSERT_NE(openArchive({{kSprGroupType, 200, rawAndPackedGroup()}}), 0);
    EXPECT_EQ(sprLoadGroup(200, 0, 0, 0, 0), 0);
}

struct DamageCase {
    const char* name;
    Bytes group;
    EngineErr expected;
};
void PrintTo(const DamageCase& c, std::ostream* os) { *os << c.name; }

Bytes cutBy(Bytes b, size_t n) {
    b.resize(b.size() - n);
    return b;
}

Bytes withoutMethod() {
    Bytes b = shapeGroupCompress(rawAndPackedGroup(), ShapeMethod::A);
    b[8] &= 0x3F;
    return b;
}

Bytes withDamagedStream(ShapeMethod method) {
    Bytes b = shapeGroupCompress(rawAndPackedGroup(), method);
    // The decoded length claims more than the stream makes.
    writeBE32(b.data() + 16, readBE32(b.data() + 16) + 2);
    return b;
}

Bytes withRawRowsPastTheEnd() {
    Bytes b = makeGroup({frame16(2, 2, {1, 2, 3, 4})});
    return cutBy(b, 1);
}

class SprDamagedGroups : public SprShapesTest, public ::testing::WithParamInterface<DamageCase> {};

TEST_P(SprDamagedGroups, AreRefusedWithTheirReasonAndNotRetried) {
    const DamageCase& c = GetParam();
    ASSERT_NE(openArchive({{kSprGroupType, 100, c.group}}), 0);
    ResourceRef ref = 0;
    EXPECT_EQ(sprLoadGroupData(100, &ref), nullptr);
    EXPECT_EQ(sprGetLastError(), c.expected);
    EXPECT_EQ(ref, 0u);
    EXPECT_EQ(hookLog.soundChannelsFreed, 0);
    EXPECT_EQ(resGetResourceHandle(resFindResource(kSprGroupType, 100, 0)), 0);
}

INSTANTIATE_TEST_SUITE_P(
    SprGroups, SprDamagedGroups,
    ::testing::Values(DamageCase{"no method", withoutMethod(), kShapeErrNoMethod},
                      DamageCase{"stream of method A too short", withDamagedStream(ShapeMethod::A), kShapeErrDamagedStream},
                      DamageCase{"stream of method B too short", withDamagedStream(ShapeMethod::B), kShapeErrDamagedStream},
                      DamageCase{"compressed header cut", cutBy(shapeGroupCompress(rawAndPackedGroup(), ShapeMethod::A), 1),
                                 kShapeErrDamagedGroup},
                      DamageCase{"raw rows past the end", withRawRowsPastTheEnd(), kShapeErrDamagedGroup},
                      DamageCase{"frame table past the end", Bytes{0, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8}, kShapeErrDamagedGroup},
                      DamageCase{"shorter than a header", Bytes{0, 1, 0}, kShapeErrDamagedGroup}));

TEST_F(SprGroups, LastRawRowEndingAtTheResourceEndLoads) {
    ASSERT_NE(openArchive({{kSprGroupType, 100, makeGroup({frame16(2, 2, {1, 2, 3, 4})})}}), 0);
    ResourceRef ref = 0;
    EXPECT_NE(sprLoadGroupData(100, &ref), nullptr);
    EXPECT_NE(ref, 0u);
}

TEST_F(SprGroups, EmptyGroupLoadsWithNoFrames) {
    ASSERT_NE(openArchive({{kSprGroupType, 100, makeGroup({})}}), 0);
    ASSERT_EQ(sprLoadGroup(100, 0, 0, 0, 0), 0);
    EXPECT_EQ(sprGroupFrameCount(0), 0);
    EXPECT_TRUE(sprGroupFrame(0, 1).empty());
}

TEST_F(SprGroups, DamagedScriptIsRefused) {
    Bytes script = scriptFor(5);
    script.resize(script.size() - 2);
    ASSERT_NE(openArchive({{kSprScriptType, 5, script}, {kSprScriptType, 6, scriptFor(6)}}), 0);
    ResourceRef ref = 0;
    EXPECT_EQ(sprLoadScript(&ref, 5, 0), nullptr);
    EXPECT_EQ(sprGetLastError(), kShapeErrDamagedScript);
    EXPECT_EQ(ref, 0u);
    u8* good = sprLoadScript(&ref, 6, 0);
    ASSERT_NE(good, nullptr);
    EXPECT_EQ(readLE16(good + 2), 6);
    EXPECT_EQ(readLE16(good + 28), 1);
}

}  // namespace

namespace {

using namespace testshape;

class SprFrameRects : public SprShapesTest {};

// Frame rectangles moved back by the frame's offsets; every frame that does not exist gives
// a zeroed rectangle.
TEST_F(SprFrameRects, FrameRectanglesFollowTheOffsetsAndRefuseMissingFrames) {
    ASSERT_NE(openArchive(groupWithScripts(100, rawAndPackedGroup(), 100, 1)), 0);
    ASSERT_EQ(sprLoadGroup(100, 1, 0, 0, kSprFirstIsGroupId), 0);
    struct Case {
        i16 slot;
        i16 frame;
        Rect16 rect;
    };
    const Case cases[] = {{0, 1, {5, 7, 7, 9}}, {0, 2, {3, 6, 7, 7}}, {0, 0, {}}, {0, 3, {}}, {1, 1, {}}, {-1, 1, {}}, {14, 1, {}}};
    for (const Case& c : cases) {
        const Rect16 r = sprGetFrameRect(c.slot, c.frame, 8, 8);
        EXPECT_EQ((std::vector<i16>{r.left, r.top, r.right, r.bottom}),
                  (std::vector<i16>{c.rect.left, c.rect.top, c.rect.right, c.rect.bottom}))
            << c.slot << "/" << c.frame;
    }
}

}  // namespace
