#include <gtest/gtest.h>

#include "tests/engine/gfx/sprites/SprLayerTestSupport.h"

namespace {

using namespace testspr;

Point16 mouseAt{0, 0};

class SprDrag : public SprLayerTest {
protected:
    void SetUp() override {
        SprLayerTest::SetUp();
        sprSetMouseTransform([](Point16* p) { *p = mouseAt; });
        loadShapes({script({frameRecord(4), waitRecord(), endRecord()})});
    }
    // An 8 × 2 sprite at (20, 20), picked up at its top-left corner.
    SprSprite* pickUp(const Rect16* limit, u32 flags = kSprDragFollow) {
        const Point16 at{20, 20};
        SprSprite* s = sprFind(sprNew(0, kGroup, &at));
        update();
        mouseAt = at;
        EXPECT_EQ(sprActivate(s, &at, 4, flags, limit), 1);
        return s;
    }
};

// Mouse positions against the limit (30, 30)-(60, 50): the sprite's bounds stay inside it,
// up to and including its right and bottom edges.
TEST_F(SprDrag, DraggingKeepsTheBoundsInsideTheLimit) {
    const Rect16 limit{30, 30, 60, 50};
    struct Case {
        Point16 mouse;
        Point16 position;
    };
    const Case cases[] = {
        {{40, 40}, {40, 40}}, {{29, 40}, {30, 40}}, {{30, 29}, {30, 30}}, {{52, 48}, {52, 48}},
        {{53, 48}, {52, 48}}, {{52, 49}, {52, 48}}, {{0, 0}, {30, 30}},   {{100, 100}, {52, 48}},
    };
    SprSprite* s = pickUp(&limit);
    for (const Case& c : cases) {
        mouseAt = c.mouse;
        update(10);
        EXPECT_EQ(s->position.h, c.position.h) << c.mouse.h << "," << c.mouse.v;
        EXPECT_EQ(s->position.v, c.position.v) << c.mouse.h << "," << c.mouse.v;
        EXPECT_EQ(s->bounds.left, c.position.h);
    }
}

TEST_F(SprDrag, ASpriteAtLeastAsWideAsTheLimitKeepsItsLeftOnTheLimit) {
    struct Case {
        i16 limitWidth;
        i16 left;
    };
    for (const Case& c : {Case{8, 30}, Case{9, 31}}) {
        const Rect16 limit{30, 30, i16(30 + c.limitWidth), 60};
        SprSprite* s = pickUp(&limit);
        mouseAt = Point16{50, 40};
        update(10);
        EXPECT_EQ(s->position.h, c.left) << c.limitWidth;
        sprActivate(s, nullptr, 2, 0, nullptr);
        sprDispose(nullptr);
    }
}

TEST_F(SprDrag, DraggedSpritesFollowTheMouseAndDropWhereAsked) {
    SprSprite* s = pickUp(nullptr, kSprDragFollow | kSprDragReturn);
    EXPECT_TRUE(s->dragFlags & kSprDragActive);
    EXPECT_EQ(s->inFront, screen_.front);
    mouseAt = Point16{70, 80};
    update(10);
    EXPECT_EQ(s->position.h, 70);
    EXPECT_EQ(pixel(window_, 70, 80), kRed);
    EXPECT_EQ(pixel(window_, 20, 20), kGrey);
    // Mode 2 with bit 0 of the flags keeps it picked up.
    EXPECT_EQ(sprActivate(s, nullptr, 2, 1, nullptr), 0);
    EXPECT_EQ(sprActivate(s, nullptr, 2, 0, nullptr), 1);
    EXPECT_EQ(screen_.activeCount, 0);
    EXPECT_EQ(s->position.h, 20);
    update(10);
    EXPECT_EQ(pixel(window_, 70, 80), kGrey);
    EXPECT_EQ(pixel(window_, 20, 20), kRed);
}

TEST_F(SprDrag, HitTestsFindTheFrontmostSpriteUnderThePoint) {
    const Point16 a{20, 20}, b{24, 20};
    SprSprite* back = sprFind(sprNew(0x01, kGroup, &a));
    SprSprite* front = sprFind(sprNew(0x02, kGroup, &b));
    update();
    struct Case {
        Point16 point;
        u32 flags;
        SprSprite* found;
    };
    const Case cases[] = {
        {{20, 20}, 0xFFFFFF, back},    {{24, 20}, 0xFFFFFF, front}, {{23, 21}, 0xFFFFFF, back},
        {{32, 21}, 0xFFFFFF, nullptr}, {{24, 20}, 0x01, back},      {{24, 22}, 0xFFFFFF, nullptr},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sprFindAtPoint(c.point, c.flags, 1, 0, 0), c.found) << c.point.h << "," << c.point.v;
    sprHide(back, 1, 1);
    EXPECT_EQ(sprFindAtPoint(Point16{20, 20}, 0xFFFFFF, 1, 0, 0), nullptr);
    EXPECT_EQ(sprFindAtPoint(Point16{20, 20}, 0xFFFFFF, 1, 0, 1), back);
    EXPECT_EQ(sprHitTest(Point16{20, 20}, 0, 0x01, 0x01), back);
    EXPECT_EQ(sprHitTest(Point16{25, 20}, 0, 0x03, 0x01), back);
}

}  // namespace
