#pragma once
// Offscreen ports for the tests: made, locked and disposed by the fixture, with helpers to
// read and write their stores directly.
#include <cstring>
#include <vector>

#include "GfxTestSupport.h"
#include "engine/regions/Regions.h"
#include "engine/gfx/GfxOffscreenPort.h"

class OffscreenTest : public GfxTest {
protected:
    void TearDown() override {
        gfxSetPort(nullptr);
        for (GfxPort* port : offscreen_) {
            while (port->lockCount) gfxUnlockPort(port);
            gfxDisposePort(port);
        }
        offscreen_.clear();
        GfxTest::TearDown();
    }
    // A locked offscreen port, current when `current` is set.
    GfxOffscreenPort* makeOffscreen(u16 width, u16 height, u16 depth, GfxPalette* palette = nullptr, bool current = true) {
        auto* port = static_cast<GfxOffscreenPort*>(gfxNewOffscreenPort(width, height, depth, palette));
        EXPECT_NE(port, nullptr);
        if (!port) return nullptr;
        offscreen_.push_back(port);
        EXPECT_EQ(gfxLockPort(port), kErrNone);
        if (current) gfxSetPort(port);
        return port;
    }
    static u8* row(GfxOffscreenPort* port, i32 y) { return port->Store().RowAt(y); }
    static u16 word(GfxOffscreenPort* port, i32 x, i32 y) { return u16(row(port, y)[2 * x] | (row(port, y)[2 * x + 1] << 8)); }
    static void setWord(GfxOffscreenPort* port, i32 x, i32 y, u16 w) {
        row(port, y)[2 * x] = u8(w);
        row(port, y)[2 * x + 1] = u8(w >> 8);
    }
    // Every byte of the store's rows, top row first.
    static std::vector<u8> pixels(GfxOffscreenPort* port) {
        GfxDibBitmap& s = port->Store();
        size_t bytes = size_t(s.bounds.right) * s.depth / 8;
        std::vector<u8> all;
        for (i32 y = 0; y < s.bounds.bottom; ++y) all.insert(all.end(), s.RowAt(y), s.RowAt(y) + bytes);
        return all;
    }
    static void setClip(GfxPort* port, const std::vector<Rect16>& rects) {
        rgnSetEmpty(port->clipRegion);
        for (const Rect16& r : rects) rgnUnionRect(port->clipRegion, r);
        port->clipApplied = 0;
    }

private:
    std::vector<GfxPort*> offscreen_;
};
