// libFuzzer target: any bytes drawn as an alpha mask (the tinted areas of colour buttons, from
// an archive) change only the places of the 16-bit port inside the mask's rectangle and the
// clip, read the mask only inside its block, and a mask refused before drawing changes nothing.
// Input: x, y (signed bytes), the clip's left, top, right, bottom (signed bytes), a flags byte
// (bit 0: blend, bit 1: no clip), then the mask.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "engine/base/ByteOrder.h"
#include "engine/base/MemoryHandles.h"
#include "engine/gfx/DrawColoredAlphaMask.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "engine/gfx/GfxPalette.h"
#include "engine/regions/Rects.h"

namespace {

constexpr u16 kPortWidth = 40;
constexpr u16 kPortHeight = 24;
constexpr size_t kHeaderBytes = 7;

GfxOffscreenPort* port() {
    static GfxOffscreenPort* made = nullptr;
    if (!made) {
        memInit(0, 512);
        gfxInitPalettes();
        made = static_cast<GfxOffscreenPort*>(gfxNewOffscreenPort(kPortWidth, kPortHeight, 16, nullptr));
        if (!made || gfxLockPort(made) != kErrNone) std::abort();
        gfxSetPort(made);
    }
    return made;
}

std::vector<u16> pixels(GfxOffscreenPort* p) {
    std::vector<u16> out;
    for (i32 y = 0; y < kPortHeight; ++y)
        for (i32 x = 0; x < kPortWidth; ++x) out.push_back(readLE16(p->Store().RowAt(y) + 2 * x));
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t size) {
    if (size < kHeaderBytes) return 0;
    GfxOffscreenPort* p = port();
    for (i32 y = 0; y < kPortHeight; ++y)
        for (i32 x = 0; x < kPortWidth; ++x) writeLE16(p->Store().RowAt(y) + 2 * x, u16(x * 977 + y * 131));
    const std::vector<u16> before = pixels(p);

    const i16 x = i8(input[0]), y = i8(input[1]);
    const Rect16 clip{i8(input[2]), i8(input[3]), i8(input[4]), i8(input[5])};
    const bool blend = input[6] & 1, clipped = !(input[6] & 2);
    const std::vector<u8> mask(input + kHeaderBytes, input + size);
    const EngineErr error =
        DrawColoredAlphaMask(x, y, mask.data(), u32(mask.size()), 0x3060C0, blend, clipped ? &clip : nullptr);

    const std::vector<u16> after = pixels(p);
    const u16 width = mask.size() >= 8 ? readBE16(mask.data()) : 0, height = mask.size() >= 8 ? readBE16(mask.data() + 2) : 0;
    for (i32 py = 0; py < kPortHeight; ++py)
        for (i32 px = 0; px < kPortWidth; ++px) {
            const bool inMask = px >= x && px < x + i32(width) && py >= y && py < y + i32(height);
            const bool inClip = !clipped || (px >= clip.left && px < clip.right && py >= clip.top && py < clip.bottom);
            const size_t at = size_t(py) * kPortWidth + size_t(px);
            if ((!inMask || !inClip) && after[at] != before[at]) std::abort();
        }
    if (error != kErrNone && mask.size() < 8 && after != before) std::abort();
    return 0;
}
