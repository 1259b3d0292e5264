#include "platform/gdi/RasterOps.h"

#include <gtest/gtest.h>

#include "GdiTestSupport.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/Shapes.h"

using namespace gdi_test;

namespace {

// The boolean function each binary mode names, one pen bit p and one destination bit d.
bool rop2Truth(int mode, bool p, bool d) {
    switch (mode) {
    case kR2Black: return false;
    case kR2NotMergePen: return !(p || d);
    case kR2MaskNotPen: return !p && d;
    case kR2NotCopyPen: return !p;
    case kR2MaskPenNot: return p && !d;
    case kR2Not: return !d;
    case kR2XorPen: return p != d;
    case kR2NotMaskPen: return !(p && d);
    case kR2MaskPen: return p && d;
    case kR2NotXorPen: return p == d;
    case kR2Nop: return d;
    case kR2MergeNotPen: return !p || d;
    case kR2CopyPen: return p;
    case kR2MergePenNot: return p || !d;
    case kR2MergePen: return p || d;
    default: return true;
    }
}

uint32_t expectedBitwise(int mode, uint32_t p, uint32_t d, uint32_t mask) {
    uint32_t r = 0;
    for (int bit = 0; bit < 24; ++bit)
        if (rop2Truth(mode, (p >> bit) & 1, (d >> bit) & 1)) r |= 1u << bit;
    return r & mask;
}

}  // namespace

TEST(RasterOps, Rop3CodesEvaluateTheirBooleanFunctions) {
    EXPECT_EQ(applyRop3(rop3Index(kRopSrcCopy), 0, 0xA5, 0x0F) & 0xFF, 0xA5u);
    EXPECT_EQ(applyRop3(rop3Index(kRopSrcAnd), 0, 0xA5, 0x0F) & 0xFF, 0x05u);
    EXPECT_EQ(applyRop3(rop3Index(kRopSrcPaint), 0, 0xA5, 0x0F) & 0xFF, 0xAFu);
    EXPECT_EQ(applyRop3(rop3Index(kRopSrcInvert), 0, 0xA5, 0x0F) & 0xFF, 0xAAu);
    EXPECT_EQ(applyRop3(rop3Index(kRopNotSrcCopy), 0, 0xA5, 0x0F) & 0xFF, 0x5Au);
    EXPECT_EQ(applyRop3(rop3Index(kRopDstAndNotSrc), 0, 0xA5, 0x0F) & 0xFF, 0x0Au);
    EXPECT_EQ(applyRop3(rop3Index(kRopMergePaint), 0, 0xA5, 0x0F) & 0xFF, 0x5Fu);
    EXPECT_EQ(applyRop3(rop3Index(kRopNotSrcXorDst), 0, 0xA5, 0x0F) & 0xFF, 0x55u);
    EXPECT_EQ(applyRop3(rop3Index(kRopPatCopy), 0x3C, 0, 0x0F) & 0xFF, 0x3Cu);
    EXPECT_EQ(applyRop3(rop3Index(kRopPatAndDst), 0x3C, 0, 0x0F) & 0xFF, 0x0Cu);
    EXPECT_EQ(applyRop3(rop3Index(kRopPatOrDst), 0x3C, 0, 0x0F) & 0xFF, 0x3Fu);
    EXPECT_EQ(applyRop3(rop3Index(kRopPatInvert), 0x3C, 0, 0x0F) & 0xFF, 0x33u);
    EXPECT_EQ(applyRop3(rop3Index(kRopNotPat), 0x3C, 0, 0x0F) & 0xFF, 0xC3u);
    EXPECT_EQ(applyRop3(rop3Index(kRopDstAndNotPat), 0x3C, 0, 0x0F) & 0xFF, 0x03u);
    EXPECT_EQ(applyRop3(rop3Index(kRopDstOrNotPat), 0x3C, 0, 0x0F) & 0xFF, 0xCFu);
    EXPECT_EQ(applyRop3(rop3Index(kRopNotPatXorDst), 0x3C, 0, 0x0F) & 0xFF, 0xCCu);
    EXPECT_TRUE(rop3UsesSource(kRopSrcCopy));
    EXPECT_FALSE(rop3UsesSource(kRopPatInvert));
    EXPECT_TRUE(rop3UsesPattern(kRopPatInvert));
    EXPECT_FALSE(rop3UsesPattern(kRopSrcAnd));
}

// Every binary mode over a pen line on 8- and 16-bit surfaces, against the truth table.
TEST(RasterOps, Rop2TruthTableOnEightAndSixteenBitSurfaces) {
    const uint32_t dst = 0x5A3C & 0x7FFF, pen = 0x33F0 & 0x7FFF;
    for (int bits : {8, 16}) {
        for (int mode = kR2Black; mode <= kR2White; ++mode) {
            Canvas c = bits == 8 ? makeCanvas(4, 1, 8, RowOrder::TopDown, greyTable(256)) : makeCanvas(4, 1, 16);
            uint32_t mask = c.surface->valueMask();
            c.surface->fillSpan(0, 0, 4, dst & mask);
            c.dc->state().pen.color = bits == 8 ? tableIndexColor(uint16_t(pen & 0xFF)) : rgbColor(c.surface->rgbOf(pen));
            c.dc->state().rop2 = mode;
            moveTo(*c.dc, {0, 0});
            lineTo(*c.dc, {3, 0});
            EXPECT_EQ(c.surface->pixel(1, 0), expectedBitwise(mode, pen & mask, dst & mask, mask))
                << "bits " << bits << " mode " << mode;
            EXPECT_EQ(c.surface->pixel(3, 0), dst & mask) << "the last point stays";
        }
    }
}

TEST(RasterOps, SixteenBitBlitResultsAreMaskedToFifteenBits) {
    Canvas src = makeCanvas(1, 1, 16), dst = makeCanvas(1, 1, 16);
    src.surface->setPixel(0, 0, 0);
    dst.surface->setPixel(0, 0, 0x1234);
    bitBlt(*dst.dc, {0, 0, 1, 1}, src.dc.get(), {0, 0}, kRopNotSrcCopy);
    EXPECT_EQ(dst.surface->pixel(0, 0), 0x7FFFu);
    bitBlt(*dst.dc, {0, 0, 1, 1}, src.dc.get(), {0, 0}, kRopWhiteness);
    EXPECT_EQ(dst.surface->pixel(0, 0), 0x7FFFu);
    EXPECT_EQ(dst.surface->memory()[1] & 0x80, 0);
}

TEST(RasterOps, Rop3TruthTableOfBlitsOnEightAndSixteenBitSurfaces) {
    const Rop3 codes[] = {kRopSrcCopy, kRopSrcAnd, kRopSrcPaint, kRopSrcInvert, kRopNotSrcCopy, kRopDstAndNotSrc,
                          kRopMergePaint, kRopNotSrcXorDst, kRopSrcErase, kRopNotSrcErase, kRopMergeCopy,
                          kRopPatPaint, kRopBlackness, kRopWhiteness, kRopDstInvert};
    for (int bits : {8, 16}) {
        for (Rop3 code : codes) {
            Canvas src = bits == 8 ? makeCanvas(2, 1, 8, RowOrder::TopDown, greyTable(256)) : makeCanvas(2, 1, 16);
            Canvas dst = bits == 8 ? makeCanvas(2, 1, 8, RowOrder::TopDown, greyTable(256)) : makeCanvas(2, 1, 16);
            uint32_t mask = src.surface->valueMask();
            uint32_t s = 0x2C96 & mask, d = 0x4A5F & mask, p = 0x13C7 & mask;
            src.surface->setPixel(0, 0, s);
            dst.surface->setPixel(0, 0, d);
            dst.dc->state().brush.color = bits == 8 ? tableIndexColor(uint16_t(p)) : rgbColor(dst.surface->rgbOf(p));
            bitBlt(*dst.dc, {0, 0, 1, 1}, src.dc.get(), {0, 0}, code);
            EXPECT_EQ(dst.surface->pixel(0, 0), applyRop3(rop3Index(code), p, s, d) & mask)
                << "bits " << bits << " code " << std::hex << code;
            EXPECT_EQ(dst.surface->pixel(1, 0), 0u) << "outside the box";
        }
    }
}
