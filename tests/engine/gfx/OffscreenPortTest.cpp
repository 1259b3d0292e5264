#include "OffscreenTestSupport.h"
#include "PackedEncoders.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxMemoryDisplayPort.h"
#include "platform/gdi/RasterOps.h"

TEST_F(OffscreenTest, DepthChoosesTheKindAndBadValuesAreRefused) {
    EXPECT_EQ(makeOffscreen(4, 4, 8)->kind, 1u);
    EXPECT_EQ(makeOffscreen(4, 4, 16)->kind, 2u);
    for (u16 depth : {1, 4, 24}) EXPECT_EQ(makeOffscreen(4, 4, depth)->kind, 0u);
    gfxSetDisplayDepth(16);
    EXPECT_EQ(makeOffscreen(4, 4, 0)->depth, 16u);
    EXPECT_EQ(gfxNewOffscreenPort(4, 4, 2, nullptr), nullptr);
    EXPECT_EQ(gfxGetLastError(), kGfxErrBadValue);
    GfxPort* memoryDisplay = gfxNewOffscreenPort(4, 4, kGfxMemoryDisplayDepth, nullptr);
    ASSERT_NE(memoryDisplay, nullptr);
    EXPECT_EQ(memoryDisplay->kind, kGfxKindMemoryDisplay);
    gfxDisposePort(memoryDisplay);
    EXPECT_EQ(gfxNewOffscreenPort(4, 4, 8, kGfxBadPaletteHandle), nullptr);
    EXPECT_EQ(gfxGetLastError(), kGfxErrBadPalette);
    GfxPalette notAPalette;
    EXPECT_EQ(gfxNewOffscreenPort(4, 4, 8, &notAPalette), nullptr);
    EXPECT_EQ(gfxGetLastError(), kGfxErrBadPalette);
}

TEST_F(OffscreenTest, StoresUseTheTrueStrideBottomUp) {
    GfxPixelDescriptor d{};
    makeOffscreen(33, 3, 1);
    ASSERT_EQ(gfxLockPortBits(&d), kErrNone);
    EXPECT_EQ(d.rowStep, -8);
    EXPECT_EQ(d.readable, 1u);
    gfxUnlockPortBits(&d);
    makeOffscreen(7, 2, 4);
    ASSERT_EQ(gfxLockPortBits(&d), kErrNone);
    EXPECT_EQ(d.rowStep, -4);
    gfxUnlockPortBits(&d);
    GfxOffscreenPort* port = makeOffscreen(3, 5, 24);
    ASSERT_EQ(gfxLockPortBits(&d), kErrNone);
    EXPECT_EQ(d.rowStep, -12);
    EXPECT_EQ(d.base + 4 * 12, row(port, 0));
    EXPECT_EQ(port->bitsLocked, 1u);
    gfxUnlockPortBits(&d);
    EXPECT_EQ(port->bitsLocked, 0u);
}

TEST_F(OffscreenTest, SixteenBitPortsReadBlackThenTheFilledWhite) {
    GfxOffscreenPort* port = makeOffscreen(4, 4, 16);
    GfxColor c;
    port->ReadPixel(&c, 1, 1);
    EXPECT_EQ(c.red | c.green | c.blue | c.flag, 0);
    ASSERT_EQ(port->FillColorRect(Rect16{0, 0, 4, 4}, GfxColor::rgb(255, 255, 255), 0), kErrNone);
    EXPECT_EQ(word(port, 3, 3), 0x7FFF);
    port->ReadPixel(&c, 1, 1);
    EXPECT_EQ(c.red, 248);
    EXPECT_EQ(c.green, 248);
    EXPECT_EQ(c.blue, 248);
    // Outside the port: black with flag 0.
    port->ReadPixel(&c, 9, 1);
    EXPECT_EQ(c.red | c.flag, 0);
}

TEST_F(OffscreenTest, EightBitPortsFillAndReadIndices) {
    GfxOffscreenPort* port = makeOffscreen(9, 2, 8);
    GfxColor index;
    index.FromIndex(37);
    ASSERT_EQ(port->FillColorRect(Rect16{1, 0, 8, 1}, index, 0), kErrNone);
    EXPECT_EQ(row(port, 0)[0], 0);
    EXPECT_EQ(row(port, 0)[1], 37);
    EXPECT_EQ(row(port, 0)[7], 37);
    EXPECT_EQ(row(port, 0)[8], 0);
    EXPECT_EQ(row(port, 1)[1], 0);
    GfxColor c;
    port->ReadPixel(&c, 3, 0);
    EXPECT_EQ(c.GetKind(), 0);
    EXPECT_EQ(c.index(), 37);
    EXPECT_EQ(port->ToColorRef(index), plat::gdi::tableIndexColor(37));
    EXPECT_EQ(port->ToColorRef(GfxColor()), plat::gdi::kColorInvalid);
}

TEST_F(OffscreenTest, PackedRowsAtANegativeXAreClippedInsideTheRuns) {
    GfxOffscreenPort* port = makeOffscreen(6, 1, 8);
    // A repeat run of 4 spanning the left edge, then a literal.
    std::vector<u8> packed = {0, 5, 0x83, 9, 0x01, 5, 6};
    ASSERT_EQ(port->DrawPixels(Rect16{-2, 0, 4, 1}, 6, 1, 0, 2 | kGfxFormatPacked8, packed.data(), u32(packed.size()), 0, 0), kErrNone);
    EXPECT_EQ(std::vector<u8>(row(port, 0), row(port, 0) + 6), (std::vector<u8>{9, 9, 5, 6, 0, 0}));
    // A literal entered part way.
    std::vector<u8> literal = {0, 5, 0x03, 1, 2, 3, 4};
    ASSERT_EQ(port->DrawPixels(Rect16{-3, 0, 1, 1}, 4, 1, 0, 2 | kGfxFormatPacked8, literal.data(), u32(literal.size()), 0, 0), kErrNone);
    EXPECT_EQ(row(port, 0)[0], 4);
    EXPECT_EQ(row(port, 0)[1], 9);
}

TEST_F(OffscreenTest, TransparentPackedRowsDrawLiteralZerosButSkipRepeatedOnes) {
    GfxOffscreenPort* port = makeOffscreen(6, 1, 8);
    std::memset(row(port, 0), 7, 6);
    std::vector<u8> packed = {0, 5, 0x82, 0, 0x01, 0, 3};
    ASSERT_EQ(port->DrawPixels(Rect16{0, 0, 5, 1}, 5, 1, 0, 2 | kGfxFormatPacked8, packed.data(), u32(packed.size()),
                               kGfxModeTransparent, 0),
              kErrNone);
    EXPECT_EQ(std::vector<u8>(row(port, 0), row(port, 0) + 6), (std::vector<u8>{7, 7, 7, 0, 3, 7}));
}

TEST_F(OffscreenTest, MirroredPackedRowsCutAtTheRightLeaveOutTheFirstSourcePixels) {
    GfxOffscreenPort* port = makeOffscreen(4, 2, 8);
    std::vector<u8> packed = encodePacked8({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 6, 2);
    ASSERT_EQ(port->DrawPixels(Rect16{0, 0, 6, 2}, 6, 2, 0, 2 | kGfxFormatPacked8, packed.data(), u32(packed.size()), 0,
                               kGfxCopyMirror | kGfxCopyFlip),
              kErrNone);
    // Mirrored, the row reads 6 5 4 3 | 2 1 (cut); flipped, the second source row lands on top.
    EXPECT_EQ(std::vector<u8>(row(port, 0), row(port, 0) + 4), (std::vector<u8>{12, 11, 10, 9}));
    EXPECT_EQ(std::vector<u8>(row(port, 1), row(port, 1) + 4), (std::vector<u8>{6, 5, 4, 3}));
}

TEST_F(OffscreenTest, OneBitMasksPaintTheForeColourIndex) {
    GfxOffscreenPort* port = makeOffscreen(10, 1, 8);
    port->foreColor.FromIndex(44);
    u8 mask[4] = {0xA0, 0x40, 0, 0};
    ASSERT_EQ(port->DrawPixels(Rect16{0, 0, 10, 1}, 10, 1, 4, 0, mask, sizeof(mask), kGfxModeTransparent, 0), kErrNone);
    EXPECT_EQ(std::vector<u8>(row(port, 0), row(port, 0) + 10), (std::vector<u8>{44, 0, 44, 0, 0, 0, 0, 0, 0, 44}));
}

TEST_F(OffscreenTest, SelfCopiesWithOverlapShiftThePicture) {
    for (u16 depth : {8, 16}) {
        GfxOffscreenPort* port = makeOffscreen(8, 1, depth);
        for (i32 x = 0; x < 8; ++x) {
            if (depth == 8) row(port, 0)[x] = u8(x + 1);
            else setWord(port, x, 0, u16(x + 1));
        }
        ASSERT_EQ(port->CopyBits(port, Rect16{2, 0, 8, 1}, Rect16{0, 0, 6, 1}, 0, 0), kErrNone);
        for (i32 x = 2; x < 8; ++x) EXPECT_EQ(depth == 8 ? row(port, 0)[x] : word(port, x, 0), x - 1) << "depth " << depth;
    }
}

TEST_F(OffscreenTest, CopiesBetweenKindsGoThroughTheStore) {
    GfxOffscreenPort* eight = makeOffscreen(2, 1, 8, nullptr, false);
    GfxOffscreenPort* sixteen = makeOffscreen(2, 1, 16);
    GfxOffscreenPort* deep = makeOffscreen(2, 1, 24);
    GfxPalette* p = gfxDefaultPalette();
    row(eight, 0)[0] = 215;
    ASSERT_EQ(eight->CopyBits(sixteen, Rect16{0, 0, 2, 1}, Rect16{0, 0, 2, 1}, 0, kGfxCopyMirror), kErrNone);
    const GfxPaletteEntry& e = p->entries[215];
    EXPECT_EQ(word(sixteen, 1, 0), plat::gdi::rgbTo555({e.red, e.green, e.blue}));
    ASSERT_EQ(sixteen->CopyBits(deep, Rect16{0, 0, 2, 1}, Rect16{0, 0, 2, 1}, 0, 0), kErrNone);
    EXPECT_EQ(row(deep, 0)[5], u8(e.red & 0xF8));
}

TEST_F(OffscreenTest, TransferModesOnEightAndSixteenBitPorts) {
    for (u16 depth : {8, 16}) {
        for (u16 mode = 0; mode < 8; ++mode) {
            GfxOffscreenPort* src = makeOffscreen(1, 1, depth, nullptr, false);
            GfxOffscreenPort* dst = makeOffscreen(1, 1, depth);
            u32 s = depth == 8 ? 0x5A : 0x2A5A, d = depth == 8 ? 0x33 : 0x1333, valueMask = depth == 8 ? 0xFF : 0x7FFF;
            if (depth == 8) row(src, 0)[0] = u8(s), row(dst, 0)[0] = u8(d);
            else setWord(src, 0, 0, u16(s)), setWord(dst, 0, 0, u16(d));
            ASSERT_EQ(src->CopyBits(dst, Rect16{0, 0, 1, 1}, Rect16{0, 0, 1, 1}, mode, 0), kErrNone);
            u32 expected = plat::gdi::applyRop3(plat::gdi::rop3Index(gfxSourceCopyCode(mode)), 0, s, d) & valueMask;
            EXPECT_EQ(depth == 8 ? row(dst, 0)[0] : word(dst, 0, 0), expected) << "depth " << depth << " mode " << mode;

            // Fills combine through the pattern codes of the mode.
            GfxColor fill;
            fill.FromIndex(0x5A);
            if (depth == 16) fill = GfxColor::rgb(0x50, 0x90, 0xD0);
            u32 p = depth == 8 ? 0x5A : plat::gdi::rgbTo555({0x50, 0x90, 0xD0});
            if (depth == 8) row(dst, 0)[0] = u8(d);
            else setWord(dst, 0, 0, u16(d));
            ASSERT_EQ(dst->FillColorRect(Rect16{0, 0, 1, 1}, fill, mode), kErrNone);
            expected = plat::gdi::applyRop3(plat::gdi::rop3Index(gfxPatternCode(mode)), p, 0, d) & valueMask;
            EXPECT_EQ(depth == 8 ? row(dst, 0)[0] : word(dst, 0, 0), expected) << "fill depth " << depth << " mode " << mode;
        }
    }
}

TEST_F(OffscreenTest, EightBitColourTablesFollowTheRealisedPalette) {
    GfxOffscreenPort* port = makeOffscreen(2, 1, 8);
    std::vector<GfxColor> colours(256, GfxColor::rgb(10, 20, 30));
    GfxPalette* palette = gfxNewPalette(256, colours.data());
    ASSERT_NE(palette, nullptr);
    palette->realised = 1;
    gfxSetPortPalette(palette);
    u16 own = gfxReservedCount() / 2;
    plat::gdi::Rgb entry;
    port->Store().GetColorTable(own, 1, &entry);
    EXPECT_EQ(entry, (plat::gdi::Rgb{10, 20, 30}));
    // A picture of palette indices lands unchanged, whatever the table holds.
    u8 indices[4] = {u8(own), 200, 0, 0};
    plat::gdi::DibImage image{2, 1, 8, 4, plat::gdi::RowOrder::TopDown, indices, {}};
    for (u16 i = 0; i < 256; ++i) image.colors.push_back(plat::gdi::paletteIndexColor(i));
    ASSERT_EQ(port->StretchDIB(plat::gdi::Box{0, 0, 2, 1}, plat::gdi::Box{0, 0, 2, 1}, image, plat::gdi::kRopSrcCopy), kErrNone);
    EXPECT_EQ(row(port, 0)[0], own);
    EXPECT_EQ(row(port, 0)[1], 200);
    port->Store().GetColorTable(own, 1, &entry);
    EXPECT_EQ(entry, (plat::gdi::Rgb{10, 20, 30}));
    gfxSetPortPalette(nullptr);
    gfxDisposePalette(palette);
}

TEST_F(OffscreenTest, ShallowAndDeepPortsDrawThroughTheDrawingLayer) {
    GfxOffscreenPort* four = makeOffscreen(4, 1, 4);
    plat::gdi::Rgb entry;
    four->Store().GetColorTable(9, 1, &entry);
    EXPECT_EQ(entry, (plat::gdi::Rgb{0, 0, 255}));
    ASSERT_EQ(four->FillColorRect(Rect16{0, 0, 2, 1}, GfxColor::rgb(0, 0, 255), 0), kErrNone);
    EXPECT_EQ(row(four, 0)[0], 0x99);
    EXPECT_EQ(row(four, 0)[1], 0x00);
    Rect16 bounds;
    EXPECT_EQ(four->LockSurface(&bounds), kGfxErrNotSupported);
    EXPECT_EQ(four->RestoreSurface(), kGfxErrNotSupported);
    EXPECT_EQ(gfxDisposePort(four), kGfxErrPortLocked);
}

TEST_F(OffscreenTest, StoreBlitsCutTheDestinationInProportion) {
    GfxOffscreenPort* source = makeOffscreen(10, 1, 24, nullptr, false);
    GfxOffscreenPort* target = makeOffscreen(40, 1, 24);
    for (i32 x = 0; x < 10; ++x) row(source, 0)[3 * x] = u8(x + 1);
    // Source from x = -10 onto a destination twice as wide: drawing starts 20 pixels in.
    ASSERT_EQ(source->CopyBits(target, Rect16{0, 0, 40, 1}, Rect16{-10, 0, 10, 1}, 0, 0), kErrNone);
    EXPECT_EQ(row(target, 0)[3 * 19], 0);
    EXPECT_EQ(row(target, 0)[3 * 20], 1);
    EXPECT_EQ(row(target, 0)[3 * 39], 10);
}

TEST_F(OffscreenTest, MirroredCopiesCutOutsideTheSourceFromTheFarSideOfTheDestination) {
    GfxOffscreenPort* source = makeOffscreen(4, 2, 16, nullptr, false);
    for (i32 x = 0; x < 4; ++x) setWord(source, x, 0, u16(x + 1)), setWord(source, x, 1, u16(x + 11));
    GfxOffscreenPort* target = makeOffscreen(6, 2, 16);
    // Source columns -2 and -1 lie off the store: mirrored, they would land on the right.
    ASSERT_EQ(source->CopyBits(target, Rect16{0, 0, 6, 1}, Rect16{-2, 0, 4, 1}, 0, kGfxCopyMirror), kErrNone);
    std::vector<u16> row0;
    for (i32 x = 0; x < 6; ++x) row0.push_back(word(target, x, 0));
    EXPECT_EQ(row0, (std::vector<u16>{4, 3, 2, 1, 0, 0}));
    // Flipped, the rows cut below the source come off the top of the destination.
    ASSERT_EQ(source->CopyBits(target, Rect16{5, 0, 6, 2}, Rect16{3, 1, 4, 3}, 0, kGfxCopyFlip), kErrNone);
    EXPECT_EQ(word(target, 5, 0), 0);
    EXPECT_EQ(word(target, 5, 1), 14);
}

TEST_F(OffscreenTest, StoresWhoseRowsOutrunThirtyTwoBitOffsetsAreRefusedBeforeAllocating) {
    // 32767 pixels of 24 bits make rows of 98304 bytes: the last of 21847 rows starts past 2^31.
    EXPECT_EQ(gfxNewOffscreenPort(32767, 21847, 24, nullptr), nullptr);
    EXPECT_EQ(gfxGetLastError(), kGfxErrGdi);
    GfxDibBitmap largest(32767, 21846, 24);
    EXPECT_EQ(largest.RowsAddressable(), true);
}
