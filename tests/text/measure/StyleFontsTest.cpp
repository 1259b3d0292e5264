// Measuring through kept fonts gives what measuring through a font made per character gives.
#include <gtest/gtest.h>

#include "engine/base/MemoryHandles.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "engine/gfx/GfxPalette.h"
#include "text/measure/MeasureStyledChar.h"
#include "text/measure/StyleFonts.h"
#include "text/style/StyledText.h"

namespace {

class StyleFontsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(memInit(0, 512), kErrNone);
        ASSERT_EQ(gfxInitPalettes(), kErrNone);
        port = gfxNewOffscreenPort(200, 60, 16, nullptr);
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

TEST_F(StyleFontsTest, KeptFontsMeasureAsFreshOnes) {
    TextStyle plain;
    plain.size = 14;
    TextStyle bigBold = plain;
    bigBold.size = 30;
    bigBold.bold = kStyleOn;
    StyleFonts fonts;
    for (const TextStyle& style : {plain, bigBold, plain}) {
        for (u8 c : {u8('i'), u8('W'), u8(' '), u8(0xE9), u8(kCharCR)}) {
            const CharMetrics fresh = MeasureStyledChar(c, style);
            const CharMetrics kept = fonts.Measure(c, style);
            EXPECT_EQ(kept.width, fresh.width) << int(c) << " size " << style.size;
            EXPECT_EQ(kept.ascent, fresh.ascent) << int(c);
            EXPECT_EQ(kept.descent, fresh.descent) << int(c);
            EXPECT_EQ(kept.leading, fresh.leading) << int(c);
        }
    }
    EXPECT_EQ(fonts.Measure(kCharCR, plain).width, 0);
    EXPECT_GT(fonts.Measure('W', plain).width, 0);
    EXPECT_GT(fonts.Measure('W', bigBold).width, fonts.Measure('W', plain).width);
    EXPECT_GT(fonts.Measure('W', bigBold).ascent, fonts.Measure('W', plain).ascent);
    // Measuring leaves the port's own font selected.
    EXPECT_EQ(gfxGetFont(), nullptr);
}

}  // namespace
