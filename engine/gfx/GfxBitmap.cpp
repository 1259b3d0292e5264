#include "engine/gfx/GfxBitmap.h"

#include <bit>
#include <cstring>
#include <vector>

#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxDecompressors.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"
#include "engine/gfx/GfxPort.h"
#include "engine/gfx/PackedPixels.h"
#include "engine/gfx/PackedRowWalk.h"

namespace {

constexpr int kBitsByDepthCode[5] = {1, 4, 8, 16, 24};
constexpr u32 kLzShortStart = 18;
constexpr u32 kLzLongStart = 22;
constexpr u32 kLzWindowField = 16;
constexpr u32 kPluginSizeField = 16;
constexpr u32 kPluginLengthField = 20;
constexpr u32 kPluginStart = 24;
constexpr u8 kQtLowBits = 0x07;
// A two-byte reference of an LZ stream gives at most 258 bytes: no stream expands to more than
// this many times its length.
constexpr u64 kLzMostBytesPerByte = 129;
constexpr i32 kUnreadable = -1;

struct Header {
    u16 width;
    u16 height;
    i16 rowBytes;
    u16 format;
};

Header readHeader(const u8* b) { return Header{readBE16(b), readBE16(b + 2), i16(readBE16(b + 4)), readBE16(b + 6)}; }

// Where the pixels start: after the colour-table block when there is one; 0 when that block
// does not fit.
u32 pixelStart(const u8* b, u32 size) {
    if (!(readBE16(b + 6) & kGfxFormatColorTable)) return kGfxBitmapHeaderSize;
    if (size < kGfxBitmapHeaderSize + 2) return 0;
    u32 block = readBE16(b + kGfxBitmapHeaderSize);
    return block >= 2 && kGfxBitmapHeaderSize + block <= size ? kGfxBitmapHeaderSize + block : 0;
}

// Visitors of the packed 16-bit walk: one only checks the rows, the other turns every colour
// word of the opaque runs (a repeated run stores one).
struct SkipRuns {
    bool row(u32) const { return false; }
    void run(const GfxPackedRun&) const {}
};

struct SwapRunWords {
    u8* bitmap;
    bool row(u32) const { return true; }
    void run(const GfxPackedRun& run) const { gfxSwapWords(bitmap + (run.colours - bitmap), run.repeat ? 1 : run.count); }
};

// Puts the 16-bit pixels of a bitmap into machine order; false (nothing changed) when its
// rows do not fit the block.
bool prepareWords(u8* b, u32 size) {
    Header h = readHeader(b);
    if ((h.format & kGfxFormatDepthMask) != 3 || (h.format & kGfxFormatMachineOrder)) return true;
    u32 start = pixelStart(b, size);
    if (start == 0) return false;
    u16 packing = h.format & kGfxFormatPackingMask;
    if (packing == kGfxFormatPacked16) {
        // Checked whole before any word turns, so that a damaged bitmap stays as it was.
        SkipRuns check;
        if (!gfxWalkPackedRows16<false>(b + start, size - start, h.height, check)) return false;
        SwapRunWords swap{b};
        gfxWalkPackedRows16<false>(b + start, size - start, h.height, swap);
    } else if (packing == 0) {
        if (!gfxPlainRowsFit(h.width, h.height, h.rowBytes, 16, size - start)) return false;
        u32 step = u32(h.rowBytes < 0 ? -i32(h.rowBytes) : h.rowBytes);
        gfxSwapWords(b + start, step * h.height / 2);
    } else {
        return false;
    }
    writeBE16(b + 6, h.format | kGfxFormatMachineOrder);
    return true;
}

}  // namespace

int gfxBitsOfDepthCode(u16 format) {
    u16 code = format & kGfxFormatDepthMask;
    return code < 5 ? kBitsByDepthCode[code] : 0;
}

bool gfxPlainRowsFit(u16 width, u16 height, i16 rowBytes, int bits, u32 size) {
    u32 step = u32(rowBytes < 0 ? -i32(rowBytes) : rowBytes);
    return step >= (u32(width) * u32(bits) + 7) / 8 && u64(step) * height <= size;
}

void gfxSwapWords(u8* words, u32 count) {
    for (u8* p = words; p < words + 2 * size_t(count); p += 2) {
        const u8 first = p[0];
        p[0] = p[1];
        p[1] = first;
    }
}

bool gfxLzExpand(u8* out, const u8* in, u32 inSize, u32 outSize, u8* window, u16 windowBits) {
    if (windowBits < kGfxMinWindowBits || windowBits > kGfxMaxWindowBits) return false;
    const u32 size = 1u << windowBits, mask = size - 1;
    std::memset(window, 0, size);
    u32 pos = (size - ((1u << (16 - windowBits)) + 2)) & mask;
    u32 written = 0, read = 0, flags = 0;
    auto put = [&](u8 byte) {
        out[written++] = byte;
        window[pos] = byte;
        pos = (pos + 1) & mask;
    };
    while (written < outSize) {
        if ((flags & 0x100) == 0) {
            if (read >= inSize) return false;
            flags = 0xFF00u | in[read++];
        }
        bool literal = flags & 1;
        flags >>= 1;
        if (literal) {
            if (read >= inSize) return false;
            put(in[read++]);
            continue;
        }
        if (inSize - read < 2) return false;
        u16 v = readBE16(in + read);
        read += 2;
        u32 length = (u32(v) >> windowBits) + 3;
        // The window is a ring that starts zero-filled, so every position is in bounds and a
        // reference to where nothing was written yet reads zeros, as stored pictures may rely on.
        u32 source = v & mask;
        for (u32 i = 0; i < length && written < outSize; ++i) put(window[(source + i) & mask]);
    }
    return true;
}

void gfxConvertColorTable(const u8* block, u32 blockSize, int bits, u8* table) {
    u32 entries = 1u << bits;
    std::memset(table, 0, entries * 4);
    if (blockSize < 4) return;
    u8 format = block[2];
    u32 count = u32(block[3]) + 1, room = blockSize - 4;
    const u8* e = block + 4;
    u8 low = gfxQtPaletteOption() && gfxDisplayDepth() == 16 ? kQtLowBits : 0;
    for (u32 i = 0; i < count && i < entries; ++i) {
        u8* t = table + 4 * i;
        if (format == kGfxTableEntries555 && 2 * i + 2 <= room) {
            u16 w = readLE16(e + 2 * i);
            t[2] = u8(((w >> 7) & 0xF8) | low);
            t[1] = u8(((w >> 2) & 0xF8) | low);
            t[0] = u8(((w << 3) & 0xF8) | low);
        } else if (format == kGfxTableEntriesBgr && 3 * i + 3 <= room) {
            t[0] = e[3 * i] | low;
            t[1] = e[3 * i + 1] | low;
            t[2] = e[3 * i + 2] | low;
        }
    }
}

namespace {

// Decodes the storage compression of the bitmap at `b` into a new block of the expanded size;
// on success the handles exchange blocks. Any failure leaves the bitmap's block as it was.
EngineErr expandInto(memHandle bitmap, const u8* b, u32 size, u16 compression) {
    Header h = readHeader(b);
    u32 expanded = 0;
    std::vector<u8> window;
    const GfxDecompressor* plugin = nullptr;
    if (compression == kGfxFormatPlugin) {
        if (size < kPluginStart) return kGfxErrBadFormat;
        plugin = gfxFindDecompressor(b + kGfxBitmapHeaderSize);
        if (!plugin) return kGfxErrNoDecompressor;
        if (gfxBitsOfDepthCode(h.format) == 0) return kGfxErrBadFormat;
        expanded = readBE32(b + kPluginSizeField);
        if (readBE32(b + kPluginLengthField) > size - kPluginStart) return kGfxErrBadFormat;
    } else {
        u32 start = compression == kGfxFormatLzShort ? kLzShortStart : kLzLongStart;
        if (size < start) return kGfxErrBadFormat;
        u16 windowSize = readBE16(b + kLzWindowField);
        if (windowSize < (1u << kGfxMinWindowBits) || windowSize > (1u << kGfxMaxWindowBits) || (windowSize & (windowSize - 1)))
            return kGfxErrBadFormat;
        expanded = readBE32(b + kGfxBitmapHeaderSize);
        if (u64(expanded) > u64(size - start) * kLzMostBytesPerByte) return kGfxErrBadFormat;
        window.resize(windowSize);
    }
    if (expanded > kGfxLargestExpandedBitmap) return kGfxErrBadFormat;
    memHandle fresh = memAllocHandle(expanded + kGfxBitmapHeaderSize);
    if (!fresh) return memGetLastError();
    // Allocating may have moved the unlocked bitmap.
    b = static_cast<const u8*>(memDerefHandle(bitmap));
    u8* out = static_cast<u8*>(memDerefHandle(fresh));
    std::memcpy(out, b, kGfxBitmapHeaderSize);
    u16 format = h.format & ~kGfxFormatCompressionMask;
    bool ok;
    if (plugin) {
        ok = plugin->decode(out + kGfxBitmapHeaderSize, expanded, h.width, h.height, u16(gfxBitsOfDepthCode(h.format)),
                            h.rowBytes, b + kPluginStart, readBE32(b + kPluginLengthField), plugin->datum) == 0;
        // Plug-ins deliver machine order.
        if ((format & kGfxFormatDepthMask) == 3 && (format & kGfxFormatPackingMask) == 0) format |= kGfxFormatMachineOrder;
    } else {
        u32 start = compression == kGfxFormatLzShort ? kLzShortStart : kLzLongStart;
        ok = gfxLzExpand(out + kGfxBitmapHeaderSize, b + start, size - start, expanded, window.data(),
                         u16(std::countr_zero(u32(window.size()))));
    }
    writeBE16(out + 6, format);
    if (!ok || !prepareWords(out, expanded + kGfxBitmapHeaderSize)) {
        memFreeHandle(fresh);
        return kGfxErrBadFormat;
    }
    EngineErr error = memSwapHandles(bitmap, fresh);
    memFreeHandle(fresh);
    return error;
}

}  // namespace

bool gfxPrepareBitmapWords(u8* bitmap, u32 size) { return size >= kGfxBitmapHeaderSize && prepareWords(bitmap, size); }

EngineErr gfxExpandBitmap(memHandle bitmap) {
    u8* b = static_cast<u8*>(memDerefHandle(bitmap));
    if (!b) return gfxSetError(memGetLastError());
    u32 size = u32(memGetHandleSize(bitmap));
    if (size < kGfxBitmapHeaderSize) return gfxSetError(kGfxErrBadFormat);
    u16 compression = readBE16(b + 6) & kGfxFormatCompressionMask;
    if (compression == kGfxFormatLzShort || compression == kGfxFormatLzLong || compression == kGfxFormatPlugin)
        return gfxSetError(expandInto(bitmap, b, size, compression));
    if (compression != 0) return gfxSetError(kGfxErrBadFormat);
    return gfxSetError(prepareWords(b, size) ? kErrNone : kGfxErrBadFormat);
}

i32 gfxGetBitmapPixel(const u8* b, u32 size, u16 x, u16 y) {
    if (!b || size < kGfxBitmapHeaderSize) return gfxSetError(kGfxErrBadFormat), kUnreadable;
    Header h = readHeader(b);
    u16 code = h.format & kGfxFormatDepthMask, packing = h.format & kGfxFormatPackingMask;
    u32 start = pixelStart(b, size);
    int bits = gfxBitsOfDepthCode(h.format);
    bool readable = start != 0 && bits != 0 && !(h.format & kGfxFormatCompressionMask) && x < h.width && y < h.height &&
                    !(code == 3 && packing != kGfxFormatPacked8 && !(h.format & kGfxFormatMachineOrder));
    if (!readable) return gfxSetError(kGfxErrBadFormat), kUnreadable;
    const u8* p = b + start;
    u32 left = size - start;
    i32 value = kUnreadable;
    if (packing == kGfxFormatPacked8) {
        value = gfxPacked8Pixel(p, left, x, y);
    } else if (packing == kGfxFormatPacked16 && code == 3) {
        value = gfxPacked16Pixel(p, left, x, y);
    } else if (packing == 0 && gfxPlainRowsFit(h.width, h.height, h.rowBytes, bits, left)) {
        const u8* row = gfxPlainRow(p, h.rowBytes, h.height, y);
        switch (code) {
        case 0: value = (row[x / 8] >> (7 - x % 8)) & 1; break;
        case 1: value = (x % 2 == 0) ? row[x / 2] >> 4 : row[x / 2] & 0x0F; break;
        case 2: value = row[x]; break;
        case 3: value = readLE16(row + 2 * x); break;
        default: value = i32(row[3 * x]) | (i32(row[3 * x + 1]) << 8) | (i32(row[3 * x + 2]) << 16); break;
        }
    }
    if (value == kUnreadable) return gfxSetError(kGfxErrBadFormat), kUnreadable;
    if ((h.format & kGfxFormatColorTable) && bits <= 8 && value >= 0) {
        // Packed 8-bit rows hold whole bytes whatever the depth code says.
        int tableBits = packing == kGfxFormatPacked8 ? 8 : bits;
        std::vector<u8> table(4u << tableBits);
        gfxConvertColorTable(b + kGfxBitmapHeaderSize, start - kGfxBitmapHeaderSize, tableBits, table.data());
        value = i32(readLE32(table.data() + 4 * value));
    }
    gfxSetError(kErrNone);
    return value;
}
