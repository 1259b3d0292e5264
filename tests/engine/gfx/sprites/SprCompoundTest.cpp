#include <gtest/gtest.h>

#include "engine/gfx/sprites/PlayAnimation.h"
#include "engine/gfx/sprites/SprCompound.h"
#include "tests/engine/gfx/sprites/SprLayerTestSupport.h"

namespace {

using namespace testspr;

class SprCompoundSprites : public SprLayerTest {};

TEST_F(SprCompoundSprites, ACompoundRecordHoldsThePartsAndTheirBounds) {
    loadShapes({script({frameRecord(1), frameRecord(4, 10, 6), waitRecord(), endRecord()}, 40, 50)});
    SprCompound record{};
    ASSERT_EQ(sprNewCompound(kGroup, &record), 2);
    EXPECT_TRUE(rectEqual(record.bounds, Rect16{40, 50, 58, 58}));
    EXPECT_EQ(record.parts[1].frame, 4);
    EXPECT_EQ(record.parts[1].x, 50);
    ASSERT_NE(sprFind(record.id), nullptr);
    update();
    EXPECT_EQ(pixel(window_, 40, 50), kRed);
    EXPECT_EQ(pixel(window_, 57, 57), kRed);
    EXPECT_EQ(sprNewCompound(999, &record), 0);
}

TEST_F(SprCompoundSprites, ALinkedRecordFollowsNewFrames) {
    loadShapes({script({frameRecord(1), waitRecord(), frameRecord(2), frameRecord(3, 4, 0), waitRecord(), endRecord()}, 40, 50)});
    SprCompound record{};
    ASSERT_EQ(sprNewCompoundLinked(kGroup, &record), 1);
    SprSprite* s = sprFind(record.id);
    ASSERT_NE(s, nullptr);
    // Made to run on, the sprite's next frame reaches the record.
    s->hasShape = 1;
    s->flags &= ~(kSprStopAtEnd | kSprStopWhenLoaded);
    update();
    EXPECT_EQ(record.count, 2);
    EXPECT_EQ(record.parts[1].frame, 3);
    EXPECT_EQ(record.parts[1].x, 44);
}

TEST_F(SprCompoundSprites, ACustomSpriteCallsItsUserProcedureAndDrawsWithTheNextUpdate) {
    loadShapes({script({frameRecord(2), waitRecord(), endRecord()}, 40, 50)});
    static int calls = 0;
    calls = 0;
    const u16 id = sprNewCustom(kGroup, nullptr, 1, [](SprSprite*) { ++calls; }, 0, 0);
    ASSERT_NE(id, kSprNoId);
    EXPECT_EQ(calls, 1);
    update();
    EXPECT_EQ(pixel(window_, 41, 51), kGreen);
    EXPECT_EQ(calls, 1);
}

// A user procedure that removes its own sprite in the first step: the sprite is gone once the
// call returns and there is no id to give back.
TEST_F(SprCompoundSprites, ACustomSpriteRemovedByItsUserProcedureGivesNoId) {
    loadShapes({script({frameRecord(2), waitRecord(), endRecord()}, 40, 50)});
    const u16 id = sprNewCustom(kGroup, nullptr, 1, [](SprSprite* s) { sprRemove(s, 1, 1); }, 0, 0);
    EXPECT_EQ(id, kSprNoId);
    EXPECT_EQ(listIds(), (std::vector<u16>{kSprBackId, kSprFrontId}));
}

std::vector<i32> animationEvents;
plat::FakeClock* animationClock = nullptr;
int animationWaits = 0;

// Moves the fake clock to each due time; an animation that never ends is cut off by
// removing its sprite.
void waitByMovingTheClock(u32 due) {
    if (++animationWaits > 50) {
        ADD_FAILURE() << "the animation did not end";
        sprDispose(nullptr);
        return;
    }
    animationClock->set(due);
}

class PlayAnimationTest : public SprLayerTest {
protected:
    void SetUp() override {
        SprLayerTest::SetUp();
        animationEvents.clear();
        animationClock = &clock_.clock();
        animationWaits = 0;
        sprSetAnimationWait(waitByMovingTheClock);
    }
    void TearDown() override {
        sprSetAnimationWait(nullptr);
        SprLayerTest::TearDown();
    }
};

TEST_F(PlayAnimationTest, PlaysToTheEndPacedByTheClock) {
    loadShapes({script({timingRecord(50), frameRecord(1), waitRecord(), frameRecord(2), waitRecord(), frameRecord(3),
                        eventRecord(5), waitRecord(), endRecord()})});
    const u32 start = plat::clockMillis();
    EXPECT_EQ(PlayAnimationSync([](SprSprite*, i32 e) { animationEvents.push_back(e); }, kGroup), 0);
    EXPECT_EQ(animationEvents, (std::vector<i32>{5, kSprEventEnded, kSprEventStopped}));
    EXPECT_EQ(plat::clockMillis() - start, 100u);
    EXPECT_EQ(listIds(), (std::vector<u16>{kSprBackId, kSprFrontId}));
    // The last frame is erased again.
    EXPECT_EQ(pixel(window_, 20, 30), kGrey);
}

TEST_F(PlayAnimationTest, AnOwnerThatRemovesTheSpriteInTheFirstStepEndsTheAnimation) {
    loadShapes({script({eventRecord(5), frameRecord(1), waitRecord(), frameRecord(2), waitRecord(), endRecord()})});
    EXPECT_EQ(PlayAnimationSync(
                  [](SprSprite* s, i32 e) {
                      animationEvents.push_back(e);
                      if (e == 5) sprRemove(s, 1, 1);
                  },
                  kGroup),
              0);
    EXPECT_EQ(animationEvents, (std::vector<i32>{5}));
    EXPECT_EQ(listIds(), (std::vector<u16>{kSprBackId, kSprFrontId}));
}

TEST_F(PlayAnimationTest, AShapeThatCannotPlayIsRefused) {
    loadShapes({script({frameRecord(1), endRecord()})});
    EXPECT_EQ(PlayAnimation(999), 1);
    EXPECT_EQ(listIds(), (std::vector<u16>{kSprBackId, kSprFrontId}));
    EXPECT_EQ(PlayAnimation(kGroup), 0);
}

}  // namespace
