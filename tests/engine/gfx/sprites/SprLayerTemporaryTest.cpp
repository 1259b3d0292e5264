#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "engine/regions/Regions.h"
#include "tests/engine/gfx/sprites/SprLayerTestSupport.h"

namespace {

using namespace testspr;

class SprTemporary : public SprLayerTest {};

TEST_F(SprTemporary, StampingWithModeZeroChangesOnlyTheBackground) {
    loadShapes({script({frameRecord(2), frameRecord(3, 4, 0), waitRecord(), endRecord()}, 40, 50)});
    Rect16 bounds{};
    sprStampShape(kGroup, &bounds, 0, nullptr, 0, 0);
    EXPECT_TRUE(rectEqual(bounds, Rect16{40, 50, 48, 54}));
    EXPECT_EQ(pixel(screen_.backgroundPort, 40, 50), kGreen);
    EXPECT_EQ(pixel(screen_.backgroundPort, 44, 50), kBlue);
    EXPECT_EQ(pixel(work_, 40, 50), kGrey);
    EXPECT_TRUE(rgnIsEmpty(screen_.pending));
    EXPECT_EQ(listIds(), (std::vector<u16>{kSprBackId, kSprFrontId}));
    // Shown where a later update restores the background.
    sprInvalRect(Rect16{40, 50, 44, 54});
    update();
    EXPECT_EQ(pixel(window_, 40, 50), kGreen);
    EXPECT_EQ(pixel(window_, 44, 50), 0);
}

TEST_F(SprTemporary, StampingWithAModeRedrawsTheAreaWithTheNextUpdate) {
    loadShapes({script({frameRecord(2), waitRecord(), endRecord()}, 40, 50)});
    sprStampShape(kGroup, nullptr, 1, nullptr, 0, 0);
    EXPECT_FALSE(rgnIsEmpty(screen_.pending));
    update();
    EXPECT_EQ(pixel(window_, 41, 51), kGreen);
}

// A user procedure that removes the stamped sprite: in every mode the stamp still reports its
// bounds and draws, and the sprite goes.
TEST_F(SprTemporary, StampingSurvivesAUserProcedureRemovingTheSprite) {
    loadShapes({script({frameRecord(2), waitRecord(), endRecord()}, 40, 50)});
    for (u16 mode : {u16(0), u16(1)}) {
        Rect16 bounds{};
        sprStampShape(kGroup, &bounds, mode, [](SprSprite* s) { sprRemove(s, 1, 1); }, 0, 0);
        EXPECT_TRUE(rectEqual(bounds, Rect16{40, 50, 44, 54})) << mode;
        EXPECT_EQ(pixel(screen_.backgroundPort, 41, 51), kGreen) << mode;
        EXPECT_EQ(listIds(), (std::vector<u16>{kSprBackId, kSprFrontId})) << mode;
    }
}

TEST_F(SprTemporary, MeasuringGivesThePartsOfTheFirstFrame) {
    loadShapes({script({frameRecord(1), frameRecord(4, 10, 2), waitRecord(), frameRecord(2), endRecord()}, 40, 50),
                script({endRecord()})});
    Rect16 rects[kSprMaxParts];
    ASSERT_EQ(sprGetShapePartRects(kGroup, rects), 2);
    EXPECT_TRUE(rectEqual(rects[0], Rect16{40, 50, 44, 54}));
    EXPECT_TRUE(rectEqual(rects[1], Rect16{50, 52, 58, 54}));
    Point16 origins[kSprMaxParts];
    ASSERT_EQ(sprGetShapePartOrigins(kGroup, origins), 2);
    EXPECT_EQ(origins[1].h, 50);
    EXPECT_EQ(origins[1].v, 52);
    EXPECT_EQ(sprGetShapePartRects(kGroup + 1, rects), 0);
    EXPECT_EQ(sprGetShapePartRects(999, rects), 0);
    EXPECT_EQ(listIds(), (std::vector<u16>{kSprBackId, kSprFrontId}));
}

// Text lengths around the buffer: the text is kept whole up to 287 characters and cut there.
TEST_F(SprTemporary, AMessageTextIsCutToItsBuffer) {
    for (size_t length : {size_t(kSprMessageBytes - 1), size_t(kSprMessageBytes), size_t(kSprMessageBytes + 40)}) {
        const std::string text(length, 'a');
        sprShowMessage(text.c_str(), 0, nullptr);
        SprSprite* s = sprFind(kSprMessageId);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(std::strlen(s->message), std::min(length, size_t(kSprMessageBytes - 1))) << length;
    }
}

TEST_F(SprTemporary, MessagesReplaceEachOtherAndGoAfterTheirTime) {
    struct Case {
        u32 ms;
        bool shown;
    };
    for (const Case& c : {Case{9, false}, Case{1, false}, Case{10, true}, Case{0, true}}) {
        sprShowMessage("hello", 0, nullptr);
        sprShowMessage("again", c.ms, nullptr);
        EXPECT_EQ(sprFind(kSprMessageId) != nullptr, c.shown) << c.ms;
    }
    // Exactly one message sprite is ever in the list.
    EXPECT_EQ(listIds(), (std::vector<u16>{kSprBackId, kSprMessageId, kSprFrontId}));

    const Rect16 box{10, 10, 100, 40};
    sprShowMessage("timed", 500, &box);
    update(10);
    EXPECT_NE(pixel(window_, box.left + 1, box.top + 1), 0);
    update(489);
    EXPECT_NE(sprFind(kSprMessageId), nullptr);
    update(1);
    EXPECT_EQ(sprFind(kSprMessageId), nullptr);
    update(10);
    EXPECT_EQ(pixel(window_, box.left + 1, box.top + 1), kGrey);
}

TEST_F(SprTemporary, AGroupThatCannotLoadShowsAMessage) {
    EXPECT_EQ(sprLoadGroup(4242, 0, 0, 0, kSprFirstIsGroupId), kSprNoSlot);
    SprSprite* s = sprFind(kSprMessageId);
    ASSERT_NE(s, nullptr);
    EXPECT_STREQ(s->message, "error loading compound shape 4242");
}

}  // namespace

namespace {

using namespace testspr;

class SprDump : public SprLayerTest {};

TEST_F(SprDump, DrawsEachSpritesBoundsAndCountsTheSpritesBesideTheMessage) {
    loadShapes({script({frameRecord(1), waitRecord(), endRecord()})});
    const Point16 a{10, 10}, b{60, 10};
    sprNew(0, kGroup, &a);
    sprNew(0, kGroup, &b);
    update();
    sprShowMessage("old", 0, nullptr);
    struct Case {
        i16 index;
        bool first;
        bool second;
    };
    for (const Case& c : {Case{2, false, true}, Case{0, true, true}}) {
        fill(window_, kScreen, 0);
        sprDumpObjects(c.index);
        EXPECT_EQ(pixel(window_, 11, 11) != 0, c.first) << c.index;
        EXPECT_EQ(pixel(window_, 61, 11) != 0, c.second) << c.index;
    }
    SprSprite* message = sprFind(kSprMessageId);
    ASSERT_NE(message, nullptr);
    EXPECT_STREQ(message->message, "vObjects: 2");
}

}  // namespace
