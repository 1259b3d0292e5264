#pragma once
// A sprite screen over two 16-bit offscreen ports of one size, a work port and a window port,
// for fixtures of anything shown through the sprite layer. A mix-in over the fixture's own
// base, whose set-up runs first and whose tear-down runs last.
#include <gtest/gtest.h>

#include <initializer_list>

#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/OffscreenPortForRect.h"
#include "engine/gfx/sprites/SprLayer.h"

namespace testspr {

template <class Base>
class WithSpriteScreen : public Base {
protected:
    // Starts the layer over new ports of `area` after filling `filled` (the work port, or
    // both) with `fill`; call under ASSERT_NO_FATAL_FAILURE.
    void openSpriteScreen(const Rect16& area, GfxColor fill, bool fillWindowToo = false) {
        work_ = CreateOffscreenPortForRect(area, 16);
        window_ = CreateOffscreenPortForRect(area, 16);
        ASSERT_TRUE(work_ && window_);
        for (GfxPort* port : {work_, window_}) {
            if (port == window_ && !fillWindowToo) break;
            gfxSetPort(port);
            gfxFillRect(area, fill, 0);
        }
        gfxSetPort(work_);
        ASSERT_EQ(sprInit(&screen_, window_, work_, area, nullptr), &screen_);
        sprSetScreen(&screen_);
    }

    void TearDown() override {
        sprShutdown(&screen_);
        sprSetScreen(nullptr);
        gfxSetPort(nullptr);
        for (GfxPort* p : {work_, window_}) {
            if (!p) continue;
            while (p->lockCount) gfxUnlockPort(p);
            gfxDisposePort(p);
        }
        Base::TearDown();
    }

    SprScreen screen_{};
    GfxPort* work_ = nullptr;
    GfxPort* window_ = nullptr;
};

}  // namespace testspr
