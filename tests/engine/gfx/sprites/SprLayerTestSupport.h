#pragma once
// Fixture for the sprite layer: a 16-bit work port and a 16-bit window port of 160 × 120,
// the layer started over them with a fake clock, and one archive of a small shape group
// (frames of solid colours with zero offset tables) and the scripts each test writes.
#include <map>
#include <vector>

#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/OffscreenPortForRect.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "platform/clock/Clock.h"
#include "tests/engine/gfx/sprites/SprShapesTestSupport.h"
#include "tests/engine/gfx/sprites/WithSpriteScreen.h"

namespace testspr {

using testshape::Bytes;
using testshape::Record;

constexpr u16 kGroup = 100;
constexpr u16 kRed = 0x7C00, kGreen = 0x03E0, kBlue = 0x001F, kGrey = 0x4210;
constexpr Rect16 kScreen = {0, 0, 160, 120};


// Frames 1 to 3: 4 × 4 red, green and blue; frame 4: 8 × 2 red; frame 5: 2 × 1, red then a
// transparent pixel.
inline Bytes colourGroup() {
    return testshape::makeGroup({testshape::frame16(4, 4, std::vector<u16>(16, kRed)),
                                 testshape::frame16(4, 4, std::vector<u16>(16, kGreen)),
                                 testshape::frame16(4, 4, std::vector<u16>(16, kBlue)),
                                 testshape::frame16(8, 2, std::vector<u16>(16, kRed)),
                                 testshape::frame16(2, 1, {kRed, 0})});
}

inline Record frameRecord(u16 frame, i16 dx = 0, i16 dy = 0) { return {16, 1, {frame, u16(dx), u16(dy)}}; }
inline Record waitRecord() { return {1, 2, {}}; }
inline Record endRecord() { return {0, 2, {}}; }
inline Record eventRecord(u16 value) { return {9, 6, {0, value}}; }
inline Record timingRecord(u16 ms) { return {4, 4, {ms}}; }
inline Record soundRecord(u16 id, u16 slot) { return {3, 6, {id, slot}}; }

// A script placed by its shape rectangle at (left, top).
inline Bytes script(const std::vector<Record>& records, i16 left = 20, i16 top = 30) {
    return testshape::makeScript(0, {left, top, i16(left + 40), i16(top + 40)}, records);
}

struct Pixel {
    i16 x;
    i16 y;
};

class SprLayerTest : public WithSpriteScreen<testshape::SprShapesTest> {
protected:
    void SetUp() override {
        testshape::SprShapesTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(openSpriteScreen(kScreen, rgb(kGrey)));
    }
    void TearDown() override {
        sprSetMouseTransform(nullptr);
        WithSpriteScreen::TearDown();
    }

    // Opens the group with the given scripts (shape numbers from kGroup) and loads it.
    // Without offset tables scripts place their parts by the shape rectangle alone.
    void loadShapes(const std::vector<Bytes>& scripts, bool offsetTables = true) {
        std::vector<testshape::Resource> r{{kSprGroupType, kGroup, colourGroup()}};
        if (offsetTables) {
            r.push_back({kSprOffsetType, kGroup, testshape::makeOffsetTable({0, 0, 0, 0, 0, 0})});
            r.push_back({kSprOffsetType, u16(kGroup + 1), testshape::makeOffsetTable({0, 0, 0, 0, 0, 0})});
        }
        for (size_t i = 0; i < scripts.size(); ++i) r.push_back({kSprScriptType, u16(kGroup + i), scripts[i]});
        ASSERT_NE(openArchive(r), 0);
        ASSERT_EQ(sprLoadGroup(kGroup, u16(scripts.size()), 0, 0, kSprFirstIsGroupId), 0);
    }

    static void fill(GfxPort* port, const Rect16& r, u16 colour) {
        GfxPort* previous = gfxSetPort(port);
        gfxFillRect(r, rgb(colour), 0);
        gfxSetPort(previous);
    }
    static GfxColor rgb(u16 c) {
        return GfxColor::rgb(u8(((c >> 10) & 31) << 3), u8(((c >> 5) & 31) << 3), u8((c & 31) << 3));
    }
    static u16 pixel(GfxPort* port, i16 x, i16 y) {
        GfxColor c;
        port->ReadPixel(&c, x, y);
        return u16(((c.red >> 3) << 10) | ((c.green >> 3) << 5) | (c.blue >> 3));
    }
    // The ids of the display list from the back sentinel forward.
    std::vector<u16> listIds() const {
        std::vector<u16> ids;
        for (SprSprite* s = screen_.back; s; s = s->inFront) ids.push_back(s->id);
        return ids;
    }
    void update(u32 advanceMs = 100, u16 copy = 1) {
        clock_.advance(advanceMs);
        sprUpdateScreen(copy);
    }

    plat::ScopedFakeClock clock_{1000};
};

}  // namespace testspr
