#include <gtest/gtest.h>

#include "engine/gfx/sprites/SprSounds.h"
#include "tests/engine/gfx/sprites/SprLayerTestSupport.h"

namespace {

using namespace testspr;

std::vector<i32> events;
void recordEvent(SprSprite*, i32 event) { events.push_back(event); }

struct Booking {
    u16 id;
    u16 tag;
    bool waits;
};
std::vector<Booking> bookings;

class SprScript : public SprLayerTest {
protected:
    void SetUp() override {
        SprLayerTest::SetUp();
        events.clear();
        bookings.clear();
    }
    void TearDown() override {
        sprSetSoundHooks(SprSoundHooks{});
        SprLayerTest::TearDown();
    }
    SprSprite* start(u32 flags = 0, u16 shape = kGroup) {
        SprSprite* s = sprFind(sprNewWithCallback(flags, shape, nullptr, recordEvent, 0, 0));
        s->status = &status_;
        return s;
    }
    u16 status_ = 0;
};

TEST_F(SprScript, StepsThroughWaitsEventsAndTheEndAndLoops) {
    loadShapes({script({frameRecord(1), waitRecord(), frameRecord(2), eventRecord(42), waitRecord(), frameRecord(3),
                        endRecord()})});
    SprSprite* s = start();
    struct Step {
        u16 frame;
        u16 status;
        std::vector<i32> events;
    };
    const Step steps[] = {
        {1, kSprStatusStarted, {}},
        {2, kSprStatusStarted, {42}},
        {3, kSprStatusEnded, {42, kSprEventEnded}},
        {1, kSprStatusEnded, {42, kSprEventEnded}},
    };
    for (const Step& step : steps) {
        update();
        EXPECT_EQ(s->parts[0].frame, step.frame);
        EXPECT_EQ(s->parts[1].frame, 0);
        EXPECT_EQ(status_, step.status);
        EXPECT_EQ(events, step.events);
    }
}

// An owner that gives its sprite another shape on an event: the old script is not read on,
// and the new one starts at its first record.
TEST_F(SprScript, AShapeSetFromAnEventStartsAtItsBeginning) {
    loadShapes({script({eventRecord(7), frameRecord(1), waitRecord(), frameRecord(2), waitRecord(), endRecord()}),
                script({frameRecord(3), waitRecord(), frameRecord(2), waitRecord(), endRecord()})});
    SprSprite* s = start();
    s->callback = [](SprSprite* sprite, i32 event) {
        events.push_back(event);
        if (event == 7) sprSetShape(sprite, kGroup + 1, nullptr, 0);
    };
    update();
    update();
    EXPECT_EQ(events, (std::vector<i32>{7, kSprEventReplaced}));
    EXPECT_EQ(s->shape, kGroup + 1);
    EXPECT_EQ(s->parts[0].frame, 3);
    EXPECT_EQ(s->parts[1].frame, 0);
}

// Outside an update an owner removing its sprite when told of an event or of a replaced shape
// gets it freed once the step or the shape setting is done with it.
TEST_F(SprScript, AnOwnerMayRemoveItsSpriteFromAnEventOutsideAnUpdate) {
    loadShapes({script({frameRecord(1), eventRecord(7), waitRecord(), frameRecord(2), waitRecord(), endRecord()}),
                script({frameRecord(3), waitRecord(), endRecord()})});
    struct Case {
        i32 removeOn;
        bool setShape;
        std::vector<i32> told;
    };
    for (const Case& c : {Case{7, false, {7}}, Case{kSprEventReplaced, true, {7, kSprEventReplaced}}}) {
        events.clear();
        SprSprite* s = start();
        const u16 id = s->id;
        s->data1 = uintptr_t(c.removeOn);
        s->callback = [](SprSprite* sprite, i32 event) {
            events.push_back(event);
            if (event == i32(sprite->data1)) sprRemove(sprite, 1, 1);
        };
        sprStep(s, screen_.pending);
        if (c.setShape) sprSetShape(s, kGroup + 1, nullptr, 0);
        EXPECT_EQ(events, c.told) << c.removeOn;
        EXPECT_EQ(sprFind(id), nullptr) << c.removeOn;
        EXPECT_EQ(listIds(), (std::vector<u16>{kSprBackId, kSprFrontId})) << c.removeOn;
    }
}

TEST_F(SprScript, AWaitBeforeTheEndReportsTheEndInTheSameStep) {
    loadShapes({script({frameRecord(1), waitRecord(), endRecord()})});
    SprSprite* s = start();
    update();
    EXPECT_EQ(events, (std::vector<i32>{kSprEventEnded}));
    EXPECT_EQ(status_, kSprStatusEnded);
    EXPECT_TRUE(s->scriptEnded);
}

TEST_F(SprScript, StopsAtTheEndWhenAsked) {
    loadShapes({script({frameRecord(1), waitRecord(), frameRecord(2), endRecord()})});
    SprSprite* s = start(kSprStopAtEnd);
    for (int i = 0; i < 4; ++i) update();
    EXPECT_EQ(events, (std::vector<i32>{kSprEventEnded, kSprEventStopped}));
    EXPECT_EQ(status_, kSprStatusStopped);
    EXPECT_EQ(s->hasShape, 0);
    EXPECT_EQ(s->parts[0].frame, 2);
}

TEST_F(SprScript, TwoFrameRecordsInOneStepMakeOneFrame) {
    loadShapes({script({frameRecord(1), frameRecord(2, 4, 0), waitRecord(), endRecord()})});
    SprSprite* s = start();
    update();
    EXPECT_EQ(s->parts[0].frame, 1);
    EXPECT_EQ(s->parts[1].frame, 2);
    EXPECT_EQ(s->parts[1].x, s->parts[0].x + 4);
    EXPECT_EQ(s->parts[2].frame, 0);
    EXPECT_TRUE(rectEqual(s->bounds, Rect16{20, 30, 28, 34}));
}

TEST_F(SprScript, TimingRecordsSetTheInterval) {
    loadShapes({script({timingRecord(250), frameRecord(1), waitRecord(), frameRecord(2), waitRecord(), frameRecord(3),
                        waitRecord(), endRecord()})});
    SprSprite* s = start();
    update();
    EXPECT_EQ(s->interval, 250u);
    // The first step after the load is due at once; later ones after the interval.
    update(100);
    EXPECT_EQ(s->parts[0].frame, 2);
    update(249);
    EXPECT_EQ(s->parts[0].frame, 2);
    update(1);
    EXPECT_EQ(s->parts[0].frame, 3);
}

TEST_F(SprScript, UnknownRecordsArePassedOverAndAZeroLengthRecordEndsTheScript) {
    loadShapes({script({{7, 6, {1, 2}}, frameRecord(1), waitRecord(), {12, 0, {}}, frameRecord(2), endRecord()})});
    SprSprite* s = start();
    update();
    EXPECT_EQ(s->parts[0].frame, 1);
    update();
    EXPECT_EQ(events, (std::vector<i32>{kSprEventEnded}));
    EXPECT_EQ(s->noNewFrame, 1);
    // The next step starts again; the frame after the zero-length record is never reached.
    update();
    EXPECT_EQ(s->parts[0].frame, 1);
}

// A position past the script (left by a script that changed under the sprite) ends the
// script instead of reading beyond it.
TEST_F(SprScript, RecordsAreReadOnlyInsideTheScript) {
    loadShapes({script({frameRecord(1), waitRecord(), endRecord()})});
    SprSprite* s = start();
    update();
    s->scriptEnded = 0;
    events.clear();
    for (u32 position : {40u, 41u, 1000u, 0xFFFFFFF0u}) {
        s->scriptPosition = position;
        s->scriptEnded = 0;
        update();
        EXPECT_TRUE(s->scriptEnded) << position;
    }
    EXPECT_EQ(events.size(), 4u);
}

TEST_F(SprScript, AShapeInNoRangeStopsTheSprite) {
    loadShapes({script({frameRecord(1), endRecord()})});
    SprSprite* s = start(0, 999);
    update();
    EXPECT_EQ(events, (std::vector<i32>{kSprEventStopped}));
    EXPECT_EQ(s->hasShape, 0);
    EXPECT_EQ(s->range, -1);
}

TEST_F(SprScript, SoundRecordsBookThroughTheSeam) {
    loadShapes({script({soundRecord(5, 1), soundRecord(6, 2), frameRecord(1), waitRecord(), endRecord()})});
    sprSetSoundHooks(SprSoundHooks{[](const SprSoundRequest& r) {
                                       bookings.push_back({r.soundId, r.tag, r.done != nullptr});
                                       return true;
                                   },
                                   nullptr, nullptr, nullptr});
    SprSprite* s = start(kSprStopAtEnd);
    update();
    ASSERT_EQ(bookings.size(), 2u);
    EXPECT_EQ(bookings[0].id, 5);
    EXPECT_EQ(bookings[0].tag, s->id);
    EXPECT_EQ(bookings[1].tag, s->id | 0x8000);
    EXPECT_TRUE(bookings[0].waits);
    // The sprite waits at its end until both sounds have played.
    update();
    EXPECT_EQ(s->hasShape, 1);
    s->soundDone[0] = s->soundDone[1] = 1;
    update();
    EXPECT_EQ(s->hasShape, 0);
}

TEST_F(SprScript, WithoutSoundChannelsABookingCountsAsPlayed) {
    loadShapes({script({soundRecord(5, 1), frameRecord(1), waitRecord(), endRecord()})});
    SprSprite* s = start(kSprStopAtEnd);
    update();
    update();
    EXPECT_EQ(s->hasShape, 0);
    EXPECT_EQ(status_, kSprStatusStopped);
}

TEST_F(SprScript, ReplacingTheShapeTellsTheOwner) {
    loadShapes({script({frameRecord(1), waitRecord(), endRecord()}), script({frameRecord(2), waitRecord(), endRecord()})});
    SprSprite* s = start();
    update();
    sprSetShape(s, kGroup + 1, nullptr, 0);
    EXPECT_EQ(events.back(), kSprEventReplaced);
    EXPECT_EQ(status_, kSprStatusStarted);
    update();
    EXPECT_EQ(s->parts[0].frame, 2);
}

}  // namespace
