#pragma once
// Raster operations: how a pen or brush value (P), a source value (S) and the destination
// value (D) combine, bit by bit, into the new destination value. Binary codes (ROP2, 1-16)
// serve pens and shape fills; ternary codes (ROP3, the 32-bit numbers the program stores)
// serve blits and pattern fills. Results are masked to the surface's value width, so 16-bit
// results keep bit 15 clear.
#include <cstdint>

namespace plat::gdi {

enum Rop2 : int {
    kR2Black = 1,
    kR2NotMergePen = 2,
    kR2MaskNotPen = 3,
    kR2NotCopyPen = 4,
    kR2MaskPenNot = 5,
    kR2Not = 6,
    kR2XorPen = 7,
    kR2NotMaskPen = 8,
    kR2MaskPen = 9,
    kR2NotXorPen = 10,
    kR2Nop = 11,
    kR2MergeNotPen = 12,
    kR2CopyPen = 13,
    kR2MergePenNot = 14,
    kR2MergePen = 15,
    kR2White = 16,
};

using Rop3 = uint32_t;
constexpr Rop3 kRopSrcCopy = 0x00CC0020;
constexpr Rop3 kRopSrcPaint = 0x00EE0086;
constexpr Rop3 kRopSrcAnd = 0x008800C6;
constexpr Rop3 kRopSrcInvert = 0x00660046;
constexpr Rop3 kRopSrcErase = 0x00440328;
constexpr Rop3 kRopNotSrcCopy = 0x00330008;
constexpr Rop3 kRopNotSrcErase = 0x001100A6;
constexpr Rop3 kRopMergeCopy = 0x00C000CA;
constexpr Rop3 kRopMergePaint = 0x00BB0226;
constexpr Rop3 kRopPatCopy = 0x00F00021;
constexpr Rop3 kRopPatPaint = 0x00FB0A09;
constexpr Rop3 kRopPatInvert = 0x005A0049;
constexpr Rop3 kRopDstInvert = 0x00550009;
constexpr Rop3 kRopBlackness = 0x00000042;
constexpr Rop3 kRopWhiteness = 0x00FF0062;
// Further codes of the program's transfer modes, named by their boolean function.
constexpr Rop3 kRopDstAndNotSrc = 0x00220326;
constexpr Rop3 kRopNotSrcXorDst = 0x00990066;
constexpr Rop3 kRopPatAndDst = 0x00A000C9;
constexpr Rop3 kRopPatOrDst = 0x00FA0089;
constexpr Rop3 kRopNotPat = 0x000F0001;
constexpr Rop3 kRopDstAndNotPat = 0x000A0329;
constexpr Rop3 kRopDstOrNotPat = 0x00AF0229;
constexpr Rop3 kRopNotPatXorDst = 0x00A50065;

// The function index of a ROP3 code: bit (P<<2 | S<<1 | D) of this byte is the result.
constexpr uint8_t rop3Index(Rop3 code) { return uint8_t(code >> 16); }
constexpr bool rop3UsesSource(Rop3 code) { return ((rop3Index(code) >> 2) & 0x33) != (rop3Index(code) & 0x33); }
constexpr bool rop3UsesPattern(Rop3 code) { return ((rop3Index(code) >> 4) & 0x0F) != (rop3Index(code) & 0x0F); }
constexpr bool validRop2(int mode) { return mode >= kR2Black && mode <= kR2White; }

uint32_t applyRop2(int mode, uint32_t pen, uint32_t dst);
uint32_t applyRop3(uint8_t index, uint32_t pat, uint32_t src, uint32_t dst);

}  // namespace plat::gdi
