#include <gtest/gtest.h>

#include "engine/regions/Regions.h"
#include "tests/engine/gfx/sprites/SprLayerTestSupport.h"

namespace {

using namespace testspr;

class SprList : public SprLayerTest {};

TEST_F(SprList, NewSpritesGoBehindTheFrontAndBackLayerBehindEveryOtherSprite) {
    EXPECT_EQ(listIds(), (std::vector<u16>{kSprBackId, kSprFrontId}));
    EXPECT_EQ(sprNew(0, kGroup, nullptr), 11);
    EXPECT_EQ(sprNew(0, kGroup, nullptr), 12);
    EXPECT_EQ(sprNew(kSprBackLayer, kGroup, nullptr), 13);
    EXPECT_EQ(sprNew(kSprBackLayer, kGroup, nullptr), 14);
    EXPECT_EQ(listIds(), (std::vector<u16>{kSprBackId, 13, 14, 11, 12, kSprFrontId}));
}

TEST_F(SprList, WhileASpriteIsPickedUpNewSpritesGoBehindIt) {
    const u16 a = sprNew(0, kGroup, nullptr);
    const u16 b = sprNew(0, kGroup, nullptr);
    const Point16 mouse{0, 0};
    ASSERT_EQ(sprActivate(sprFind(a), &mouse, 4, 0, nullptr), 1);
    EXPECT_EQ(screen_.activeCount, 1);
    const u16 c = sprNew(kSprBackLayer, kGroup, nullptr);
    EXPECT_EQ(listIds(), (std::vector<u16>{kSprBackId, b, c, a, kSprFrontId}));
    ASSERT_EQ(sprActivate(sprFind(a), &mouse, 2, 0, nullptr), 1);
    EXPECT_EQ(screen_.activeCount, 0);
}

// A picked-up sprite its owner takes out of the list no longer decides where new sprites go.
TEST_F(SprList, APickedUpSpriteTakenOutLeavesNewSpritesTheirUsualPlace) {
    const u16 a = sprNew(0, kGroup, nullptr);
    const u16 other = sprNew(0, kGroup, nullptr);
    const Point16 mouse{0, 0};
    ASSERT_EQ(sprActivate(sprFind(a), &mouse, 4, 0, nullptr), 1);
    SprSprite* held = sprRemove(sprFind(a), 0, 0);
    ASSERT_NE(held, nullptr);
    const u16 b = sprNew(0, kGroup, nullptr);
    ASSERT_NE(b, kSprNoId);
    EXPECT_EQ(listIds(), (std::vector<u16>{kSprBackId, other, b, kSprFrontId}));
    sprBringToFront(held);
    ASSERT_EQ(sprActivate(held, &mouse, 2, 0, nullptr), 1);
    EXPECT_EQ(screen_.activeCount, 0);
}

// The largest id in use and the id the next sprite gets: ids stop before the failure value
// and then reuse the lowest free one.
TEST_F(SprList, IdsNeverReachTheFailureValue) {
    struct Case {
        u16 largest;
        u16 expected;
    };
    for (const Case& c : {Case{u16(kSprLastId - 1), kSprLastId}, Case{kSprLastId, 12}, Case{0x8000, 12}}) {
        sprDispose(nullptr);
        const u16 low = sprNew(0, kGroup, nullptr);
        const u16 freed = sprNew(0, kGroup, nullptr);
        sprFind(low)->id = 11;
        sprFind(freed)->id = c.largest;
        EXPECT_EQ(sprNew(0, kGroup, nullptr), c.expected) << c.largest;
    }
}

// A sprite its owner holds out of the list keeps its id to itself: a new sprite never gets
// it, below the last id or when free ids are reused, and linking the held one again keeps both.
TEST_F(SprList, IdsStayUniqueWithSpritesHeldOutOfTheList) {
    struct Case {
        u16 largestLinked;
        u16 held;
        u16 expected;
    };
    for (const Case& c : {Case{11, 12, 13}, Case{kSprLastId, 11, 12}}) {
        sprDispose(nullptr);
        const u16 linked = sprNew(0, kGroup, nullptr);
        const u16 other = sprNew(0, kGroup, nullptr);
        sprFind(linked)->id = c.largestLinked;
        sprFind(other)->id = c.held;
        SprSprite* held = sprRemoveById(c.held, 0, 0);
        ASSERT_NE(held, nullptr);
        const u16 fresh = sprNew(0, kGroup, nullptr);
        EXPECT_EQ(fresh, c.expected) << c.held;
        sprBringToFront(held);
        EXPECT_NE(sprFind(fresh), nullptr) << c.held;
        EXPECT_EQ(listIds(), (std::vector<u16>{kSprBackId, c.largestLinked, fresh, c.held, kSprFrontId})) << c.held;
    }
}

TEST_F(SprList, LayerChangesPlaceTheSpriteNextToTheOther) {
    const u16 a = sprNew(0, kGroup, nullptr), b = sprNew(0, kGroup, nullptr), c = sprNew(0, kGroup, nullptr);
    struct Case {
        u16 inFront;
        u16 other;
        std::vector<u16> order;
    };
    const Case cases[] = {
        {1, c, {kSprBackId, b, c, a, kSprFrontId}},
        {0, b, {kSprBackId, a, b, c, kSprFrontId}},
        {0, kSprBackId, {kSprBackId, a, b, c, kSprFrontId}},
        {1, kSprFrontId, {kSprBackId, b, c, a, kSprFrontId}},
        {1, a, {kSprBackId, b, c, a, kSprFrontId}},
    };
    for (const Case& k : cases) {
        sprSetLayerById(a, k.inFront, k.other);
        EXPECT_EQ(listIds(), k.order) << k.inFront << " " << k.other;
    }
    sprSetLayer(sprFind(a), 1, 999);
    EXPECT_EQ(listIds(), cases[4].order);
}

TEST_F(SprList, HidingIsCountedAndShowingUndoesIt) {
    SprSprite* s = sprFind(sprNew(0, kGroup, nullptr));
    EXPECT_EQ(sprHide(s, 1, 1), 1);
    EXPECT_EQ(sprHide(s, 1, 1), 2);
    EXPECT_EQ(sprShow(s, 1), 1);
    EXPECT_TRUE(s->hidden);
    EXPECT_TRUE(s->paused);
    EXPECT_EQ(sprShow(s, 1), 0);
    EXPECT_FALSE(s->hidden);
    EXPECT_FALSE(s->paused);
}

TEST_F(SprList, RemovalWithoutFreeKeepsTheRecordForLinkingAgain) {
    const u16 id = sprNew(0, kGroup, nullptr);
    SprSprite* s = sprRemove(sprFind(id), 0, 1);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(sprFind(id), nullptr);
    sprBringToFront(s);
    EXPECT_EQ(sprFind(id), s);
    EXPECT_EQ(sprRemoveById(id, 1, 1), nullptr);
    EXPECT_EQ(sprFind(id), nullptr);
    u16 none = 0;
    sprDispose(&none);
    EXPECT_EQ(listIds(), (std::vector<u16>{kSprBackId, kSprFrontId}));
}

TEST_F(SprList, EveryCallDoesNothingWithoutAScreen) {
    sprSetScreen(nullptr);
    EXPECT_EQ(sprNew(0, kGroup, nullptr), kSprNoId);
    EXPECT_EQ(sprFind(11), nullptr);
    sprUpdateScreen(1);
    sprInvalRect(Rect16{0, 0, 10, 10});
    sprShowMessage("x", 0, nullptr);
    EXPECT_EQ(sprHitTest(Point16{1, 1}, 0xFFFF, 0, 0), nullptr);
    sprSetScreen(&screen_);
    EXPECT_TRUE(rgnIsEmpty(screen_.pending));
}

}  // namespace
