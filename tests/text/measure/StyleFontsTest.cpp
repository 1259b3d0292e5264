// Measuring through kept fonts gives what measuring through a font made per character gives.
#include <gtest/gtest.h>

#include "../TextPortTest.h"
#include "engine/gfx/GfxDraw.h"
#include "text/measure/MeasureStyledChar.h"
#include "text/measure/StyleFonts.h"
#include "text/style/StyledText.h"

namespace {

using StyleFontsTest = TextPortTest;

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
