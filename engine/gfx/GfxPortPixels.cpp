// Drawing pixel buffers in the engine's formats on a port: plain rows wrapped as pictures of
// the drawing layer, packed rows expanded first, transparency by masking or by two passes.
#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxPort.h"
#include "engine/gfx/PackedPixels.h"

namespace {

using plat::gdi::Box;
using plat::gdi::ColorRef;
using plat::gdi::DibImage;

constexpr u16 kNoPass = 0xFFFF;

// Two passes that keep transparent places of a packed 16-bit picture unchanged, by mode 0-8:
// the fills of opaque and transparent places and the modes of the two passes.
struct TwoPass {
    u16 firstFill;
    u16 secondFill;
    u16 firstPass;
    u16 secondPass;
};
constexpr TwoPass kTwoPass[9] = {
    {0x7FFF, 0, 5, 2}, {0, 0x7FFF, kNoPass, 1}, {0, 0, kNoPass, 2}, {0, 0, kNoPass, 3},      {0, 0x7FFF, 1, 6},
    {0, 0, kNoPass, 5}, {0, 0x7FFF, kNoPass, 6}, {0, 0x7FFF, kNoPass, 7}, {0x7FFF, 0, 5, 2},
};

u16 paletteIndexOf(GfxPort& port, const GfxColor& c) { return c.GetKind() == 0 ? c.index() : port.NearestIndex(c); }

// The colours of a colour-table block, converted as stored bitmaps' tables are.
std::vector<ColorRef> tableColors(const u8* block, u32 blockSize, int bits) {
    std::vector<u8> table(size_t(4) << bits);
    gfxConvertColorTable(block, blockSize, bits, table.data());
    std::vector<ColorRef> colors(size_t(1) << bits);
    for (size_t i = 0; i < colors.size(); ++i) colors[i] = plat::gdi::rgbColor(table[4 * i + 2], table[4 * i + 1], table[4 * i]);
    return colors;
}

std::vector<ColorRef> defaultColors(GfxPort& port, int bits, bool transparent) {
    std::vector<ColorRef> colors;
    if (bits == 1) {
        colors.push_back(plat::gdi::paletteIndexColor(transparent ? 0 : paletteIndexOf(port, port.backColor)));
        colors.push_back(plat::gdi::paletteIndexColor(paletteIndexOf(port, port.foreColor)));
    } else if (bits == 4) {
        for (u16 i = 0; i < 16; ++i) colors.push_back(plat::gdi::paletteIndexColor(i < 8 ? i : u16(240 + i)));
    } else if (bits == 8) {
        for (u16 i = 0; i < 256; ++i) colors.push_back(plat::gdi::paletteIndexColor(i));
    }
    return colors;
}

}  // namespace

EngineErr GfxPort::DrawPixels(const Rect16& dst, u16 width, u16 height, i16 rowBytes, u16 format, const u8* pixels,
                              u32 size, u16 mode, u16 flags) {
    u16 depthCode = format & kGfxFormatDepthMask;
    u16 packing = format & kGfxFormatPackingMask;
    bool valid = pixels && depthCode <= 4 && !(format & kGfxFormatCompressionMask) &&
                 (packing == 0 || (packing == kGfxFormatPacked8 && depthCode == 2) ||
                  (packing == kGfxFormatPacked16 && depthCode == 3));
    if (!valid) return kGfxErrBadFormat;
    int bits = gfxBitsOfDepthCode(depthCode);
    if (mode == kGfxModeTransparent && bits >= 16 && packing != kGfxFormatPacked16) mode = 0;
    bool transparent = mode == kGfxModeTransparent;

    std::vector<ColorRef> colors;
    if (format & kGfxFormatColorTable) {
        u32 blockSize = size >= 2 ? readBE16(pixels) : 0;
        if (blockSize < 2 || blockSize > size) return kGfxErrBadFormat;
        if (bits <= 8) colors = tableColors(pixels, blockSize, bits);
        pixels += blockSize;
        size -= blockSize;
    } else {
        colors = defaultColors(*this, bits, transparent);
    }

    // Packed rows are expanded whole before drawing (8-bit rows padded to 4 bytes, 16-bit rows to
    // 2 words); a few bytes of packed 16-bit rows can claim thousands of empty rows, so the size
    // their header claims is checked before anything is allocated.
    const bool packedWords = packing == kGfxFormatPacked16;
    const size_t packedStride = packedWords ? (size_t(width) + 1) & ~size_t(1) : (size_t(width) + 3) & ~size_t(3);
    if (packing != 0 && packedStride * (packedWords ? 2 : 1) * height > kGfxLargestExpandedBitmap) return kGfxErrBadFormat;

    EngineErr error = BeginDraw();
    if (error != kErrNone) return error;
    dc->state().stretchMode = flags & kGfxCopyBlackOnWhite   ? plat::gdi::StretchMode::BlackOnWhite
                              : flags & kGfxCopyWhiteOnBlack ? plat::gdi::StretchMode::WhiteOnBlack
                                                             : plat::gdi::StretchMode::ColorOnColor;
    bool mirror = flags & kGfxCopyMirror, flip = flags & kGfxCopyFlip;
    Box dstBox{dst.left, dst.top, dst.right - dst.left, dst.bottom - dst.top};
    Box srcBox{mirror ? width - 1 : 0, flip ? height - 1 : 0, mirror ? -i32(width) : width, flip ? -i32(height) : height};
    std::vector<u8> expanded;
    DibImage image{width, height, bits, 0, plat::gdi::RowOrder::TopDown, pixels, colors};

    if (packing == kGfxFormatPacked16) {
        size_t stride = packedStride;
        std::vector<u16> words(stride * height);
        image.stride = i32(stride * 2);
        image.bits = reinterpret_cast<const u8*>(words.data());
        const TwoPass& pass = kTwoPass[mode <= kGfxModeTransparent ? mode : 0];
        GfxPacked16Result shape =
            gfxExpandPacked16(pixels, size, width, height, words.data(), stride, false, pass.firstFill, pass.secondFill);
        if (shape == GfxPacked16Result::Damaged) {
            error = kGfxErrBadFormat;
        } else if (shape == GfxPacked16Result::Opaque) {
            gfxExpandPacked16(pixels, size, width, height, words.data(), stride, true, 0, 0);
            error = StretchDIB(dstBox, srcBox, image, gfxSourceCopyCode(mode == kGfxModeTransparent ? 0 : mode));
        } else {
            if (pass.firstPass != kNoPass) error = StretchDIB(dstBox, srcBox, image, gfxSourceCopyCode(pass.firstPass));
            gfxExpandPacked16(pixels, size, width, height, words.data(), stride, true, 0, pass.secondFill);
            if (error == kErrNone) error = StretchDIB(dstBox, srcBox, image, gfxSourceCopyCode(pass.secondPass));
        }
        EndDraw();
        return error;
    }
    if (packing == kGfxFormatPacked8) {
        image.stride = i32(packedStride);
        expanded.assign(size_t(image.stride) * height, 0);
        if (!gfxExpandPacked8(pixels, size, width, height, expanded.data(), size_t(image.stride))) {
            EndDraw();
            return kGfxErrBadFormat;
        }
        image.bits = expanded.data();
    } else {
        if (!gfxPlainRowsFit(width, height, rowBytes, bits, size)) {
            EndDraw();
            return kGfxErrBadFormat;
        }
        image.stride = rowBytes < 0 ? -rowBytes : rowBytes;
        image.order = rowBytes < 0 ? plat::gdi::RowOrder::BottomUp : plat::gdi::RowOrder::TopDown;
    }
    if (transparent) error = DrawMaskedDIB(dst, image, mirror, flip);
    else error = StretchDIB(dstBox, srcBox, image, gfxSourceCopyCode(mode));
    EndDraw();
    return error;
}
