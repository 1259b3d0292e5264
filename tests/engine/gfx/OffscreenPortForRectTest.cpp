#include "engine/gfx/OffscreenPortForRect.h"

#include <gtest/gtest.h>

#include "engine/base/ByteOrder.h"
#include "engine/gfx/CapturePortPixels.h"
#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxDraw.h"
#include "tests/engine/gfx/GfxTestSupport.h"

namespace {

class PortHelpers : public GfxTest {
protected:
    void release(GfxPort* port) {
        if (gfxGetPort() == port) gfxSetPort(nullptr);
        while (port->lockCount) gfxUnlockPort(port);
        gfxDisposePort(port);
    }
    static u16 devicePixel(GfxPort* port, int x, int y) {
        GfxPixelDescriptor d{};
        EXPECT_EQ(port->LockBits(&d), kErrNone);
        const int h = d.bounds.bottom - d.bounds.top;
        const u8* row = d.rowStep >= 0 ? d.base + y * d.rowStep : d.base + (h - 1 - y) * -d.rowStep;
        u16 v = readLE16(row + 2 * x);
        port->UnlockBits(&d);
        return v;
    }
};

TEST_F(PortHelpers, PortForARectIsPlacedAndClippedToIt) {
    GfxPort* current = makePort(4, 4, 16);
    GfxPort* port = CreateOffscreenPortForRect(Rect16{10, 20, 14, 23}, 16);
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(gfxGetPort(), current);
    EXPECT_EQ(port->lockCount, 1);
    gfxSetPort(port);
    Rect16 r{};
    ASSERT_EQ(gfxGetPortRect(&r), kErrNone);
    EXPECT_TRUE(rectEqual(r, Rect16{0, 0, 4, 3}));
    // The rectangle's top-left is the store's first pixel; drawing outside it is cut.
    ASSERT_EQ(gfxFillRect(Rect16{0, 0, 11, 21}, GfxColor::rgb(255, 0, 0), 0), kErrNone);
    EXPECT_EQ(devicePixel(port, 0, 0), 0x7C00);
    EXPECT_EQ(devicePixel(port, 1, 0), 0);
    EXPECT_EQ(devicePixel(port, 0, 1), 0);
    release(port);
}

TEST_F(PortHelpers, PortTakesTheCurrentPortsPalette) {
    makePort(4, 4, 8);
    GfxColor colours[2] = {GfxColor::rgb(1, 2, 3), GfxColor::rgb(4, 5, 6)};
    GfxPalette* palette = gfxNewPalette(2, colours);
    ASSERT_NE(palette, nullptr);
    gfxSetPortPalette(palette);
    GfxPort* port = CreateOffscreenPort(4, 4, 8);
    ASSERT_NE(port, nullptr);
    GfxPort* previous = gfxSetPort(port);
    EXPECT_EQ(gfxGetPortPalette(), palette);
    gfxSetPort(previous);
    release(port);
    gfxSetPortPalette(nullptr);
    gfxDisposePalette(palette);
}

TEST_F(PortHelpers, PortWithoutACurrentPortTakesTheDefaultPalette) {
    gfxSetPort(nullptr);
    GfxPort* port = CreateOffscreenPort(2, 2, 8);
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(gfxGetPort(), nullptr);
    gfxSetPort(port);
    EXPECT_EQ(gfxPaletteFromHandle(gfxGetPortPalette()), gfxDefaultPalette());
    release(port);
}

TEST_F(PortHelpers, UnsupportedDepthGivesNoPort) { EXPECT_EQ(CreateOffscreenPort(2, 2, 2), nullptr); }

TEST_F(PortHelpers, CaptureCopiesSixteenBitRowsWithAHeader) {
    GfxPort* current = makePort(2, 2, 16);
    GfxPort* port = CreateOffscreenPort(3, 2, 16);
    ASSERT_NE(port, nullptr);
    gfxSetPort(port);
    ASSERT_EQ(gfxFillRect(Rect16{0, 0, 1, 1}, GfxColor::rgb(255, 0, 0), 0), kErrNone);
    gfxSetPort(current);
    const memHandle picture = CapturePortPixels(port, false);
    ASSERT_NE(picture, 0);
    EXPECT_EQ(gfxGetPort(), current);
    // The lock the capture took is given back; the one the port was made with stays.
    EXPECT_EQ(port->lockCount, 1);
    const u8* b = static_cast<const u8*>(memDerefHandle(picture));
    const u32 size = u32(memGetHandleSize(picture));
    EXPECT_EQ(readBE16(b), 3);
    EXPECT_EQ(readBE16(b + 2), 2);
    EXPECT_EQ(readBE16(b + 6), 0x1003);
    const i16 rowBytes = i16(readBE16(b + 4));
    EXPECT_EQ(size, 8u + u32(std::abs(rowBytes)) * 2);
    // Read back as an engine bitmap, the red pixel is at the top-left.
    EXPECT_EQ(gfxGetBitmapPixel(b, size, 0, 0), 0x7C00);
    EXPECT_EQ(gfxGetBitmapPixel(b, size, 1, 0), 0);
    memFreeHandle(picture);
    release(port);
}

struct DepthCase {
    u16 depth;
    u16 format;
};

class CaptureDepths : public PortHelpers, public ::testing::WithParamInterface<DepthCase> {};

TEST_P(CaptureDepths, FormatFollowsTheDepthAndBelowEightGivesNothing) {
    const DepthCase c = GetParam();
    GfxPort* port = CreateOffscreenPort(2, 2, c.depth);
    ASSERT_NE(port, nullptr);
    const memHandle picture = CapturePortPixels(port, true);
    if (c.format == 0) {
        EXPECT_EQ(picture, 0);
    } else {
        ASSERT_NE(picture, 0);
        EXPECT_EQ(readBE16(static_cast<const u8*>(memDerefHandle(picture)) + 6), c.format);
        memFreeHandle(picture);
    }
}

INSTANTIATE_TEST_SUITE_P(PortHelpers, CaptureDepths,
                         ::testing::Values(DepthCase{1, 0}, DepthCase{4, 0}, DepthCase{8, 2}, DepthCase{16, 0x1003},
                                           DepthCase{24, 4}));

TEST_F(PortHelpers, CaptureWithDisposeRestoresTheCurrentPort) {
    GfxPort* current = makePort(2, 2, 16);
    GfxPort* port = CreateOffscreenPort(2, 2, 16);
    ASSERT_NE(port, nullptr);
    ASSERT_EQ(gfxLockPort(port), kErrNone);
    const memHandle picture = CapturePortPixels(port, true);
    EXPECT_NE(picture, 0);
    EXPECT_EQ(gfxGetPort(), current);
    memFreeHandle(picture);
}

}  // namespace
