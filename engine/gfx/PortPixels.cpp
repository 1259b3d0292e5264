// Drawing pixel buffers in the engine's formats on a port: plain rows wrapped as pictures of
// the drawing layer, packed rows expanded first, transparency by masking or by two passes.
#include "engine/ByteOrder.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxPort.h"
#include "engine/gfx/PackedPixels.h"

namespace {

using plat::gdi::Box;
using plat::gdi::ColorRef;
using plat::gdi::DibImage;

constexpr int kBitsByDepthCode[5] = {1, 4, 8, 16, 24};
constexpr u8 kTableEntries555 = 16;
constexpr u8 kTableEntriesBgr = 24;
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

// The colours of a colour-table block: u16 length, u8 entry format, u8 count - 1, entries.
std::vector<ColorRef> tableColors(const u8* block, int bits) {
    std::vector<ColorRef> colors(size_t(1) << bits, plat::gdi::rgbColor(0, 0, 0));
    u8 format = block[2];
    u32 count = u32(block[3]) + 1;
    const u8* entries = block + 4;
    for (u32 i = 0; i < count && i < colors.size(); ++i) {
        if (format == kTableEntries555) colors[i] = plat::gdi::rgbColor(plat::gdi::rgbFrom555(readLE16(entries + 2 * i)));
        else if (format == kTableEntriesBgr) colors[i] = plat::gdi::rgbColor(entries[3 * i + 2], entries[3 * i + 1], entries[3 * i]);
    }
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
                              u16 mode, u16 flags) {
    u16 depthCode = format & kGfxFormatDepthMask;
    u16 packing = format & kGfxFormatPackingMask;
    bool valid = pixels && depthCode <= 4 && !(format & kGfxFormatCompressionMask) &&
                 (packing == 0 || (packing == kGfxFormatPacked8 && depthCode == 2) ||
                  (packing == kGfxFormatPacked16 && depthCode == 3));
    if (!valid) return kGfxErrBadFormat;
    int bits = kBitsByDepthCode[depthCode];
    if (mode == kGfxModeTransparent && bits >= 16 && packing != kGfxFormatPacked16) mode = 0;
    bool transparent = mode == kGfxModeTransparent;

    std::vector<ColorRef> colors;
    if (format & kGfxFormatColorTable) {
        if (bits <= 8) colors = tableColors(pixels, bits);
        pixels += readBE16(pixels);
    } else {
        colors = defaultColors(*this, bits, transparent);
    }

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
        size_t stride = (size_t(width) + 1) & ~size_t(1);
        std::vector<u16> words(stride * height);
        image.stride = i32(stride * 2);
        image.bits = reinterpret_cast<const u8*>(words.data());
        const TwoPass& pass = kTwoPass[mode <= kGfxModeTransparent ? mode : 0];
        if (!gfxExpandPacked16(pixels, width, height, words.data(), stride, false, pass.firstFill, pass.secondFill)) {
            gfxExpandPacked16(pixels, width, height, words.data(), stride, true, 0, 0);
            error = StretchDIB(dstBox, srcBox, image, gfxSourceCopyCode(mode == kGfxModeTransparent ? 0 : mode));
        } else {
            if (pass.firstPass != kNoPass) error = StretchDIB(dstBox, srcBox, image, gfxSourceCopyCode(pass.firstPass));
            gfxExpandPacked16(pixels, width, height, words.data(), stride, true, 0, pass.secondFill);
            if (error == kErrNone) error = StretchDIB(dstBox, srcBox, image, gfxSourceCopyCode(pass.secondPass));
        }
        EndDraw();
        return error;
    }
    if (packing == kGfxFormatPacked8) {
        image.stride = (i32(width) + 3) & ~3;
        expanded.assign(size_t(image.stride) * height, 0);
        gfxExpandPacked8(pixels, width, height, expanded.data(), size_t(image.stride));
        image.bits = expanded.data();
    } else {
        image.stride = rowBytes < 0 ? -rowBytes : rowBytes;
        image.order = rowBytes < 0 ? plat::gdi::RowOrder::BottomUp : plat::gdi::RowOrder::TopDown;
    }
    if (transparent) error = DrawMaskedDIB(dst, image, mirror, flip);
    else error = StretchDIB(dstBox, srcBox, image, gfxSourceCopyCode(mode));
    EndDraw();
    return error;
}
