#pragma once
// A fixture with a 16-bit offscreen port current and a default font, as the screens have,
// for tests that measure with real fonts or draw.
#include <gtest/gtest.h>

#include "engine/base/MemoryHandles.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "engine/gfx/GfxPalette.h"

constexpr u16 kTextPortWidth = 200;
constexpr u16 kTextPortHeight = 60;

class TextPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(memInit(0, 512), kErrNone);
        ASSERT_EQ(gfxInitPalettes(), kErrNone);
        port = gfxNewOffscreenPort(kTextPortWidth, kTextPortHeight, 16, nullptr);
        ASSERT_NE(port, nullptr);
        ASSERT_EQ(gfxLockPort(port), kErrNone);
        gfxSetPort(port);
        // As at start-up: a default font, selected.
        gfxSetDefaultFont(gfxNewFont("default", 12, 0));
        ASSERT_NE(gfxSetFont(nullptr), reinterpret_cast<GfxFont*>(~uintptr_t(0)));
    }
    void TearDown() override {
        gfxSetPort(nullptr);
        if (port) {
            gfxUnlockPort(port);
            gfxDisposePort(port);
        }
        gfxDisposeAllFonts();
        gfxShutdownPalettes();
        memShutdown();
    }
    GfxPort* port = nullptr;
};

