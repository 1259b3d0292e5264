// libFuzzer target: any bytes loaded as an engine bitmap (an archive's 'tBMP' picture, a shape
// frame's pixels) are expanded in their handle or refused with the block as it was; expanding
// an expanded bitmap changes nothing; colour words are put into machine order only where the
// rows fit; every pixel read, in place or after expanding, is read inside the block and is a
// value of the bitmap's depth; drawing the bitmap into an 8- and a 16-bit port changes no place
// outside its rectangle.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/base/ByteOrder.h"
#include "engine/base/MemoryHandles.h"
#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "engine/gfx/GfxPalette.h"
#include "engine/gfx/GfxPort.h"

namespace {

// Places along an edge: both ends, the middle, one past the end, and a few between.
std::vector<u16> places(u16 extent) {
    std::vector<u16> at{0, u16(extent / 2), u16(extent - 1), extent};
    for (u32 step = 1; step <= 16; ++step) at.push_back(u16(u32(extent) * step / 17));
    return at;
}

void readPixels(const std::vector<u8>& bitmap) {
    if (bitmap.size() < kGfxBitmapHeaderSize) return;
    const u16 width = readBE16(bitmap.data()), height = readBE16(bitmap.data() + 2);
    const u16 format = readBE16(bitmap.data() + 6);
    const int bits = gfxBitsOfDepthCode(format);
    const bool table = (format & kGfxFormatColorTable) && bits <= 8;
    const bool packed8 = (format & kGfxFormatPackingMask) == kGfxFormatPacked8;
    const i64 largest = table || bits == 24 ? 0xFFFFFF : packed8 ? 0xFF : bits ? (i64(1) << bits) - 1 : -1;
    for (u16 y : places(height))
        for (u16 x : places(width)) {
            const i32 value = gfxGetBitmapPixel(bitmap.data(), u32(bitmap.size()), x, y);
            if (value < -2 || value > largest || ((x >= width || y >= height) && value != -1)) std::abort();
        }
}

constexpr u16 kPortWidth = 24;
constexpr u16 kPortHeight = 16;
constexpr i32 kMaxDrawnPlaces = 64 * 64;

GfxOffscreenPort* port(u16 depth) {
    static GfxOffscreenPort* ports[2] = {};
    GfxOffscreenPort*& made = ports[depth / 16];
    if (!made) {
        made = static_cast<GfxOffscreenPort*>(gfxNewOffscreenPort(kPortWidth, kPortHeight, depth, nullptr));
        if (!made || gfxLockPort(made) != kErrNone) std::abort();
    }
    return made;
}

// Draws the bitmap with its top-left at (x, y): the places outside its rectangle stay as they were.
void draw(const std::vector<u8>& bitmap, i16 x, i16 y) {
    if (bitmap.size() < kGfxBitmapHeaderSize) return;
    const i32 width = readBE16(bitmap.data()), height = readBE16(bitmap.data() + 2);
    // A large bitmap only costs time here: its rows are drawn as a small one's are.
    if (i64(width) * height > kMaxDrawnPlaces) return;
    for (u16 depth : {8, 16}) {
        GfxOffscreenPort* p = port(depth);
        const size_t rowBytes = size_t(kPortWidth) * depth / 8;
        for (i32 row = 0; row < kPortHeight; ++row)
            for (size_t i = 0; i < rowBytes; ++i) p->Store().RowAt(row)[i] = u8(row * 31 + i * 7 + 3);
        std::vector<u8> before;
        for (i32 row = 0; row < kPortHeight; ++row) before.insert(before.end(), p->Store().RowAt(row), p->Store().RowAt(row) + rowBytes);
        gfxSetPort(p);
        gfxDrawBitmap(bitmap.data(), u32(bitmap.size()), x, y, 0);
        gfxSetPort(nullptr);
        for (i32 row = 0; row < kPortHeight; ++row)
            for (i32 col = 0; col < kPortWidth; ++col) {
                const bool inside = col >= x && col < x + width && row >= y && row < y + height;
                const size_t place = depth / 8, at = size_t(row) * rowBytes + size_t(col) * place;
                if (!inside && std::memcmp(p->Store().RowAt(row) + size_t(col) * place, before.data() + at, place) != 0)
                    std::abort();
            }
    }
}

std::vector<u8> contents(memHandle handle) {
    const u8* bytes = static_cast<const u8*>(memDerefHandle(handle));
    return std::vector<u8>(bytes, bytes + memGetHandleSize(handle));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = memInit(0, 512) == kErrNone && (gfxInitPalettes(), true);
    if (!ready) std::abort();
    const i16 x = i16(i32(size % 13) - 4), y = i16(i32(size % 7) - 2);
    const std::vector<u8> stored(data, data + size);
    readPixels(stored);

    std::vector<u8> words = stored;
    if (!gfxPrepareBitmapWords(words.data(), u32(words.size())) && words != stored) std::abort();

    memHandle handle = memAllocHandle(u32(size));
    if (!handle) return 0;
    if (size) std::memcpy(memDerefHandle(handle), data, size);
    if (gfxExpandBitmap(handle) != kErrNone) {
        if (contents(handle) != stored) std::abort();
    } else {
        const std::vector<u8> expanded = contents(handle);
        readPixels(expanded);
        draw(expanded, x, y);
        if (gfxExpandBitmap(handle) != kErrNone || contents(handle) != expanded) std::abort();
    }
    memFreeHandle(handle);
    return 0;
}
