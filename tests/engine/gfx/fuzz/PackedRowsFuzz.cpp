// libFuzzer target: any bytes given as packed 8- or 16-bit rows are decoded only inside the
// data and the picture (the plain walk, the expanders, single-pixel reads), and the offscreen
// ports' writers put into their stores exactly what the plain walk places, damaged rows
// included (the runs before the damage).
// Input: a flags byte (bit 0 16-bit rows, bit 1 mirror, bit 2 flip, bit 3 transparent mode),
// the picture's x and y (signed bytes), width and height, the clip's left and right (signed
// bytes), then the rows.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "engine/base/MemoryHandles.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "engine/gfx/GfxPalette.h"
#include "engine/regions/Regions.h"
#include "tests/engine/gfx/PackedPlacement.h"

namespace {

// Wide enough for a 16-bit span past 128 bytes, so that every size class of the span copies,
// the C library's included, is reached.
constexpr u16 kStoreWidth = 160;
constexpr u16 kStoreHeight = 12;
constexpr size_t kHeaderBytes = 7;

GfxOffscreenPort* port(bool words) {
    static GfxOffscreenPort* ports[2] = {};
    if (!ports[0]) {
        memInit(0, 512);
        gfxInitPalettes();
        for (u16 depth : {8, 16}) {
            auto* made = static_cast<GfxOffscreenPort*>(gfxNewOffscreenPort(kStoreWidth, kStoreHeight, depth, nullptr));
            if (!made || gfxLockPort(made) != kErrNone) std::abort();
            ports[depth / 16] = made;
        }
    }
    return ports[words];
}

std::vector<u8> storeRows(GfxOffscreenPort* p, size_t place) {
    std::vector<u8> rows;
    for (i32 y = 0; y < kStoreHeight; ++y) rows.insert(rows.end(), p->Store().RowAt(y), p->Store().RowAt(y) + kStoreWidth * place);
    return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t size) {
    if (size < kHeaderBytes) return 0;
    const bool words = input[0] & 1;
    const u16 flags = u16((input[0] & 2 ? kGfxCopyMirror : 0) | (input[0] & 4 ? kGfxCopyFlip : 0));
    const u16 mode = input[0] & 8 ? kGfxModeTransparent : 0;
    const PackedDrawing d{{i8(input[1]), i8(input[2])}, {i8(input[5]), -4, i8(input[6]), 20}, mode, words ? u16(0) : flags};
    const u16 width = u16(1 + input[3] % 128), height = u16(1 + input[4] % 16);
    const std::vector<u8> rows(input + kHeaderBytes, input + size);

    // The expanders and pixel reads stay inside the data and the picture (the sanitizer checks).
    if (words) {
        std::vector<u16> expanded(size_t(width) * height);
        gfxExpandPacked16(rows.data(), rows.size(), width, height, expanded.data(), width, true, 0, 1);
        gfxPacked16Pixel(rows.data(), rows.size(), width - 1u, height - 1u);
    } else {
        std::vector<u8> expanded(size_t(width) * height);
        gfxExpandPacked8(rows.data(), rows.size(), width, height, expanded.data(), width);
        gfxPacked8Pixel(rows.data(), rows.size(), width - 1u, height - 1u);
    }

    GfxOffscreenPort* p = port(words);
    gfxSetPort(p);
    const size_t place = words ? 2 : 1;
    for (i32 y = 0; y < kStoreHeight; ++y)
        for (size_t i = 0; i < kStoreWidth * place; ++i) p->Store().RowAt(y)[i] = u8(y * 29 + i * 3 + 5);
    std::vector<u8> want = storeRows(p, place);
    placePackedByTheWalk(want, kStoreWidth, kStoreHeight, rows, width, height, words, d);
    rgnSetEmpty(p->clipRegion);
    rgnUnionRect(p->clipRegion, d.clip);
    p->clipApplied = 0;
    const Rect16 dst{d.at.h, d.at.v, i16(d.at.h + width), i16(d.at.v + height)};
    p->DrawPixels(dst, width, height, 0, words ? 3 | kGfxFormatPacked16 : 2 | kGfxFormatPacked8, rows.data(),
                  u32(rows.size()), d.mode, d.flags);
    gfxSetPort(nullptr);
    if (storeRows(p, place) != want) std::abort();
    return 0;
}
