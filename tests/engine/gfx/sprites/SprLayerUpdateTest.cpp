#include <gtest/gtest.h>

#include "engine/gfx/sprites/SprPicture.h"
#include "engine/gfx/sprites/SprSounds.h"
#include "engine/regions/Regions.h"
#include "tests/engine/gfx/sprites/SprLayerTestSupport.h"

namespace {

using namespace testspr;

int drawCount = 0;
void countingDraw(SprSprite* s) {
    ++drawCount;
    sprDrawParts(s);
}

std::vector<u16> removeOnEvent;
void removeSelf(SprSprite* s, i32 event) {
    if (event == 7) removeOnEvent.push_back(s->id), sprRemoveById(s->id, 1, 1);
}

// What the window showed where the sprite stands each time the sounds were serviced.
GfxPort* soundWindow = nullptr;
std::vector<u16> shownAtSoundService;

class SprUpdate : public SprLayerTest {
protected:
    void SetUp() override {
        SprLayerTest::SetUp();
        drawCount = 0;
        removeOnEvent.clear();
    }
    // A 4 × 4 sprite of `frame` at a point.
    SprSprite* spriteAt(i16 x, i16 y, u16 shape = kGroup) {
        const Point16 at{x, y};
        return sprFind(sprNew(0, shape, &at));
    }
};

TEST_F(SprUpdate, CopiesOnlyDirtyRectanglesToTheWindow) {
    loadShapes({script({frameRecord(1), waitRecord(), frameRecord(1), waitRecord(), endRecord()})});
    spriteAt(10, 10);
    // Drawn into the work port without telling the layer: stays off the window.
    fill(work_, Rect16{100, 100, 110, 110}, kBlue);
    update();
    const Pixel expected[] = {{10, 10}, {13, 13}};
    for (Pixel p : expected) EXPECT_EQ(pixel(window_, p.x, p.y), kRed) << p.x << "," << p.y;
    EXPECT_EQ(pixel(window_, 14, 10), 0);
    EXPECT_EQ(pixel(window_, 100, 100), 0);
    // A dirty rectangle gets the background back, in the work port and on the window.
    sprInvalRect(Rect16{100, 100, 102, 102});
    update();
    EXPECT_EQ(pixel(window_, 100, 100), kGrey);
    EXPECT_EQ(pixel(work_, 101, 101), kGrey);
    EXPECT_EQ(pixel(work_, 102, 102), kBlue);
    EXPECT_EQ(pixel(window_, 102, 102), 0);
}

// A sprite's sounds start with the update that puts its picture on the window, once the picture
// is there; an update kept off the window starts none.
TEST_F(SprUpdate, SoundsStartOnceThePictureIsOnTheWindow) {
    loadShapes({script({frameRecord(1), waitRecord(), endRecord()})});
    soundWindow = window_;
    shownAtSoundService.clear();
    sprSetSoundHooks(SprSoundHooks{nullptr, nullptr, [] { shownAtSoundService.push_back(pixel(soundWindow, 10, 10)); },
                                   nullptr});
    spriteAt(10, 10);
    update(100, 0);
    EXPECT_TRUE(shownAtSoundService.empty());
    update(100, 1);
    EXPECT_EQ(shownAtSoundService, (std::vector<u16>{kRed}));
    sprSetSoundHooks(SprSoundHooks{});
}

TEST_F(SprUpdate, AMovedSpriteLeavesTheBackgroundBehind) {
    loadShapes({script({frameRecord(1), waitRecord(), endRecord()})});
    fill(screen_.backgroundPort, Rect16{0, 0, 40, 40}, kGreen);
    sprInvalRect(kScreen);
    SprSprite* s = spriteAt(10, 10);
    update();
    EXPECT_EQ(pixel(window_, 10, 10), kRed);
    EXPECT_EQ(pixel(window_, 20, 20), kGreen);
    const Point16 to{30, 10};
    sprMoveTo(s, &to);
    update(10);
    EXPECT_EQ(pixel(window_, 10, 10), kGreen);
    EXPECT_EQ(pixel(window_, 30, 10), kRed);
    EXPECT_EQ(pixel(work_, 10, 10), kGreen);
}

TEST_F(SprUpdate, UnchangedSpritesAreDrawnOnlyWhereTheDirtyRegionMeetsThem) {
    loadShapes({script({frameRecord(1), endRecord()})});
    SprSprite* s = spriteAt(10, 10);
    s->draw = countingDraw;
    s->flags |= kSprStopAtEnd;
    update();
    update();
    ASSERT_EQ(s->hasShape, 0);
    drawCount = 0;
    struct Case {
        Rect16 dirty;
        int draws;
    };
    for (const Case& c : {Case{{0, 0, 10, 10}, 0}, Case{{0, 0, 11, 11}, 1}, Case{{14, 14, 20, 20}, 0}, Case{{13, 13, 20, 20}, 1}}) {
        drawCount = 0;
        sprInvalRect(c.dirty);
        update(0);
        EXPECT_EQ(drawCount, c.draws) << c.dirty.left << "," << c.dirty.top;
    }
}

TEST_F(SprUpdate, InvalidatingDuringAnUpdateDrawsInTheSameUpdate) {
    sprInvalRect(Rect16{5, 5, 5, 50});
    EXPECT_TRUE(rgnIsEmpty(screen_.pending));
    fill(work_, Rect16{50, 50, 52, 52}, kBlue);
    fill(screen_.backgroundPort, Rect16{50, 50, 52, 52}, kBlue);
    SprSprite* s = sprFind(sprNew(0, 0, nullptr));
    s->step = [](SprSprite*, memHandle) { sprInvalRect(Rect16{50, 50, 52, 52}); };
    update();
    EXPECT_EQ(pixel(window_, 50, 50), kBlue);
    EXPECT_TRUE(rgnIsEmpty(screen_.pending));
}

TEST_F(SprUpdate, ASpriteRemovedFromItsCallbackGoesAtTheEndOfTheUpdate) {
    loadShapes({script({frameRecord(1), waitRecord(), eventRecord(7), frameRecord(1), waitRecord(), endRecord()})});
    SprSprite* s = spriteAt(10, 10);
    const u16 id = s->id;
    s->callback = removeSelf;
    update();
    update();
    EXPECT_EQ(removeOnEvent, (std::vector<u16>{id}));
    EXPECT_EQ(sprFind(id), nullptr);
    // Its area is erased by the next update.
    update();
    EXPECT_EQ(pixel(window_, 10, 10), kGrey);
}

TEST_F(SprUpdate, APickedUpSpriteFreedDuringAnUpdateIsDroppedFirst) {
    loadShapes({script({frameRecord(1), waitRecord(), eventRecord(7), frameRecord(1), waitRecord(), endRecord()})});
    SprSprite* s = spriteAt(10, 10);
    s->callback = removeSelf;
    update();
    const Point16 mouse{11, 11};
    ASSERT_EQ(sprActivate(s, &mouse, 4, kSprDragFollow, nullptr), 1);
    ASSERT_EQ(screen_.activeCount, 1);
    sprSetMouseTransform([](Point16* p) { *p = Point16{11, 11}; });
    update();
    ASSERT_EQ(removeOnEvent.size(), 1u);
    EXPECT_EQ(screen_.activeCount, 0);
    EXPECT_NE(sprNew(0, kGroup, nullptr), kSprNoId);
}

TEST_F(SprUpdate, TheBackdropFillsWorkAndBackground) {
    std::vector<u16> words(160 * 120, kBlue);
    testshape::Frame picture = testshape::frame16(160, 120, words);
    Bytes bytes = testshape::makeGroup({picture});
    // A picture is the frame bitmap alone.
    bytes.erase(bytes.begin(), bytes.begin() + kShapeGroupHeaderSize + 4);
    ASSERT_NE(openArchive({{kSprPictureType, 500, bytes}}), 0);
    gfxSetPort(work_);
    sprShowBackdrop(500, 0);
    EXPECT_EQ(pixel(work_, 0, 0), kBlue);
    EXPECT_EQ(pixel(screen_.backgroundPort, 159, 119), kBlue);
    sprInvalRect(kScreen);
    update();
    EXPECT_EQ(pixel(window_, 80, 60), kBlue);
}

// An owner that lets the shapes go when told of an event: the rest of the script is not read
// from released memory and the sprite goes at the end of the update.
TEST_F(SprUpdate, AGroupReleasedFromAnEventEndsTheStepOfItsSprites) {
    loadShapes({script({frameRecord(1), eventRecord(7), frameRecord(2), timingRecord(30), waitRecord(), endRecord()})});
    SprSprite* s = spriteAt(10, 10);
    const u16 id = s->id;
    s->callback = [](SprSprite* sprite, i32 event) {
        if (event != 7) return;
        removeOnEvent.push_back(sprite->id);
        sprReleaseGroup(kGroup, 0);
    };
    update();
    EXPECT_EQ(removeOnEvent, (std::vector<u16>{id}));
    EXPECT_EQ(sprFind(id), nullptr);
    EXPECT_EQ(listIds(), (std::vector<u16>{kSprBackId, kSprFrontId}));
}

// An owner that resets the layer or shuts it down when told of an event: the update still
// steps and draws the sprites after it, and the reset or shutdown follows the update's end.
TEST_F(SprUpdate, AResetOrShutdownFromACallbackWaitsForTheEndOfTheUpdate) {
    for (bool shutdown : {false, true}) {
        loadShapes({script({frameRecord(1), eventRecord(7), waitRecord(), endRecord()})});
        SprSprite* first = spriteAt(10, 10);
        const i16 laterX = shutdown ? 70 : 30;
        spriteAt(laterX, 30);
        first->data1 = shutdown;
        first->callback = [](SprSprite* s, i32 event) {
            if (event != 7) return;
            if (s->data1)
                sprShutdown(sprScreen());
            else
                sprResetScreen();
        };
        update();
        EXPECT_EQ(pixel(window_, laterX + 1, 31), kRed) << shutdown;
        if (shutdown) {
            EXPECT_EQ(sprScreen(), nullptr);
            EXPECT_EQ(screen_.back, nullptr);
        } else {
            EXPECT_EQ(listIds(), (std::vector<u16>{kSprBackId, kSprFrontId}));
            EXPECT_TRUE(rgnIsEmpty(screen_.pending));
        }
    }
}

// An owner that takes its sprite (and perhaps the one in front of it) out of the list without
// freeing it: the sprites after them are still stepped and drawn in the same update.
TEST_F(SprUpdate, SpritesTakenOutByACallbackLeaveTheRestStepped) {
    static std::vector<SprSprite*> held;
    for (bool alsoNext : {false, true}) {
        held.clear();
        removeOnEvent.clear();
        sprResetScreen();
        loadShapes({script({frameRecord(1), eventRecord(7), waitRecord(), endRecord()})});
        SprSprite* first = spriteAt(10, 10);
        SprSprite* middle = spriteAt(30, 30);
        const i16 lastX = alsoNext ? 90 : 50;
        SprSprite* last = spriteAt(lastX, 30);
        first->data1 = reinterpret_cast<uintptr_t>(alsoNext ? middle : nullptr);
        first->callback = [](SprSprite* s, i32 event) {
            if (event != 7) return;
            held.push_back(sprRemove(s, 0, 1));
            if (s->data1) held.push_back(sprRemove(reinterpret_cast<SprSprite*>(s->data1), 0, 1));
        };
        for (SprSprite* stepped : {middle, last})
            stepped->callback = [](SprSprite* s, i32 event) {
                if (event == 7) removeOnEvent.push_back(s->id);
            };
        update();
        const std::vector<u16> told = alsoNext ? std::vector<u16>{last->id} : std::vector<u16>{middle->id, last->id};
        EXPECT_EQ(removeOnEvent, told) << alsoNext;
        EXPECT_EQ(pixel(window_, lastX + 1, 31), kRed) << alsoNext;
        for (SprSprite* s : held) sprBringToFront(s);
    }
}

// Sprites partly or wholly off the screen draw only their part inside it.
TEST_F(SprUpdate, SpritesAtTheScreenEdgesDrawOnlyInsideIt) {
    loadShapes({script({frameRecord(1), waitRecord(), endRecord()})});
    struct Case {
        Point16 at;
        Pixel inside;
    };
    const Case cases[] = {{{-2, -2}, {1, 1}}, {{158, 118}, {159, 119}}, {{-4, 50}, {0, 50}}, {{160, 120}, {159, 119}},
                          {{32766, 32766}, {159, 119}}, {{-32768, -32768}, {0, 0}}};
    for (const Case& c : cases) {
        sprDispose(nullptr);
        fill(screen_.backgroundPort, kScreen, kGrey);
        sprInvalRect(kScreen);
        spriteAt(c.at.h, c.at.v);
        update();
        const bool covered = c.at.h <= c.inside.x && c.inside.x < c.at.h + 4 && c.at.v <= c.inside.y && c.inside.y < c.at.v + 4;
        EXPECT_EQ(pixel(window_, c.inside.x, c.inside.y), covered ? kRed : kGrey) << c.at.h << "," << c.at.v;
    }
}

TEST_F(SprUpdate, AnUpdateInsideAnUpdateReturnsAtOnce) {
    SprSprite* s = sprFind(sprNew(0, 0, nullptr));
    s->step = [](SprSprite*, memHandle) {
        sprInvalRect(Rect16{0, 0, 4, 4});
        sprUpdateScreen(1);
    };
    update();
    EXPECT_EQ(pixel(window_, 0, 0), kGrey);
    EXPECT_EQ(screen_.updating, 0);
}

}  // namespace

namespace {

using namespace testspr;

class SprAreas : public SprLayerTest {};

// In region mode the sprite's area is its parts, not the box around them: moving it erases
// only where its parts were.
TEST_F(SprAreas, RegionModeKeepsThePartsAsTheArea) {
    loadShapes({script({frameRecord(1), frameRecord(1, 20, 0), waitRecord(), endRecord()})});
    const Point16 at{10, 10};
    SprSprite* s = sprFind(sprNew(kSprRegionMode, kGroup, &at));
    update();
    ASSERT_NE(s->region, 0u);
    EXPECT_TRUE(rectEqual(s->bounds, Rect16{10, 10, 34, 14}));
    EXPECT_EQ(rgnContainsPoint(s->region, Point16{20, 11}), 0);
    fill(work_, Rect16{20, 10, 24, 14}, kBlue);
    const Point16 to{10, 60};
    sprMoveTo(s, &to);
    update(0);
    EXPECT_EQ(pixel(work_, 10, 10), kGrey);
    EXPECT_EQ(pixel(work_, 21, 11), kBlue);
}

// A clipped sprite draws only inside its clip rectangle.
TEST_F(SprAreas, ClippedSpritesDrawInsideTheirClipRectangle) {
    loadShapes({script({frameRecord(4), waitRecord(), endRecord()})});
    const Point16 at{10, 10};
    SprSprite* s = sprFind(sprNew(0, kGroup, &at));
    s->clipEnabled = 1;
    s->clipRect = Rect16{12, 0, 15, 100};
    update();
    EXPECT_EQ(pixel(window_, 11, 10), 0);
    EXPECT_EQ(pixel(window_, 12, 10), kRed);
    EXPECT_EQ(pixel(window_, 14, 11), kRed);
    EXPECT_EQ(pixel(work_, 15, 10), kGrey);
}

TEST_F(SprAreas, PixelHitsSkipTransparentPixels) {
    loadShapes({script({frameRecord(5), waitRecord(), endRecord()})});
    const Point16 at{10, 10};
    SprSprite* s = sprFind(sprNew(0, kGroup, &at));
    update();
    EXPECT_EQ(sprFindAtPoint(Point16{11, 10}, 0xFFFFFF, 1, 0, 0), s);
    s->pixelHits = 1;
    EXPECT_EQ(sprFindAtPoint(Point16{10, 10}, 0xFFFFFF, 1, 0, 0), s);
    EXPECT_EQ(sprFindAtPoint(Point16{11, 10}, 0xFFFFFF, 1, 0, 0), nullptr);
    s->hit = [](SprSprite*, Point16 p) { return u16(p.h == 99); };
    EXPECT_EQ(sprFindAtPoint(Point16{99, 99}, 0xFFFFFF, 1, 0, 0), s);
    EXPECT_EQ(sprFindAtPoint(Point16{10, 10}, 0xFFFFFF, 1, 0, 0), nullptr);
}

// Without offset tables a given position does not move the parts off the shape rectangle;
// with them the parts follow the position.
TEST_F(SprAreas, PlacementFollowsThePositionOnlyWithOffsetTables) {
    for (bool tables : {false, true}) {
        loadShapes({script({frameRecord(1, 2, 3), waitRecord(), endRecord()}, 40, 50)}, tables);
        const Point16 at{10, 10};
        SprSprite* s = sprFind(sprNew(0, kGroup, &at));
        update();
        EXPECT_EQ(s->parts[0].x, tables ? 10 : 42) << tables;
        EXPECT_EQ(s->parts[0].y, tables ? 10 : 53) << tables;
        sprResetScreen();
    }
}

}  // namespace
