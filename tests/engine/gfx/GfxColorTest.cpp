#include "engine/gfx/GfxColor.h"

#include "GfxTestSupport.h"
#include "engine/gfx/GfxErrors.h"

TEST(GfxColor, KindsFollowTheFlagByte) {
    GfxColor c;
    EXPECT_EQ(c.GetKind(), -1);
    c.FromIndex(-1);
    EXPECT_EQ(c.flag, kGfxColorFlagDefault);
    c.FromIndex(300);
    EXPECT_EQ(c.GetKind(), 0);
    EXPECT_EQ(c.index(), 300);
    EXPECT_EQ(GfxColor::rgb(1, 2, 3, kGfxColorFlagKind1).GetKind(), 1);
    EXPECT_EQ(GfxColor::rgb(1, 2, 3, kGfxColorFlagPortRgb).GetKind(), 2);
}

TEST(GfxColor, CopyFromDropsBitSevenExceptForTheDefault) {
    GfxColor index, copy;
    index.FromIndex(5);
    copy.CopyFrom(index);
    EXPECT_EQ(copy.flag, 0);
    EXPECT_EQ(copy.index(), 5);
    copy.CopyFrom(GfxColor());
    EXPECT_EQ(copy.flag, kGfxColorFlagDefault);
}

TEST_F(GfxTest, ConversionsGoThroughTheCurrentPort) {
    GfxColor index;
    index.FromIndex(40);
    gfxSetPort(nullptr);
    EXPECT_EQ(index.ToIndex(), kGfxNoIndex);
    makePort(4, 4, 8);
    EXPECT_EQ(index.ToIndex(), 40);
    GfxColor out;
    index.ToRGB(&out);
    const GfxPaletteEntry& e = gfxDefaultPalette()->entries[40];
    EXPECT_EQ(out.red, e.red);
    EXPECT_EQ(out.flag, 0);
    EXPECT_EQ(GfxColor::rgb(e.red, e.green, e.blue).ToIndex(), 40);
    GfxColor beyond;
    beyond.FromIndex(250);  // upper static range
    EXPECT_EQ(beyond.ToIndex(), 250);
    GfxColor().ToIndex();
    EXPECT_EQ(gfxGetLastError(), kGfxErrColorRange);
}
