// libFuzzer target: any bytes read as a stored (big-endian) region are converted only when
// its count and capacity fit them, and a region so read, however damaged (inverted,
// overlapping, out of order), goes through every region operation as either list without
// reading or writing outside its block, and every operation ends.
// Input: two bytes, big-endian, the stored region's length L; L bytes of stored region; then
// rectangles (left, top, right, bottom, 16-bit big-endian) that make a sound region by union.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/base/ByteOrder.h"
#include "engine/base/MemoryHandles.h"
#include "engine/regions/RegionDifference.h"
#include "engine/regions/Regions.h"

namespace {

constexpr size_t kLengthBytes = 2;

memHandle copyOf(memHandle rgn) {
    memHandle copy = rgnCreate();
    if (copy == 0) std::abort();
    rgnCopy(copy, rgn);
    return copy;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t size) {
    static const bool ready = memInit(0, 512) == kErrNone;
    if (!ready) std::abort();
    if (size < kLengthBytes) return 0;
    const size_t stored = std::min<size_t>(readBE16(input), size - kLengthBytes);
    if (stored == 0) return 0;
    memHandle damaged = memAllocHandle(u32(stored));
    if (damaged == 0) return 0;
    std::memcpy(memDerefHandle(damaged), input + kLengthBytes, stored);
    if (rgnSwapBytes(memDerefHandle(damaged), u32(stored)) != kErrNone) {
        memFreeHandle(damaged);
        return 0;
    }

    memHandle sound = rgnCreate();
    if (sound == 0) std::abort();
    std::vector<Rect16> rects;
    for (const uint8_t* p = input + kLengthBytes + stored; p + 8 <= input + size; p += 8) {
        const Rect16 r{i16(readBE16(p)), i16(readBE16(p + 2)), i16(readBE16(p + 4)), i16(readBE16(p + 6))};
        rgnUnionRect(sound, r);
        rects.push_back(r);
    }

    // The damaged region as the list changed and as the list given, both ways round.
    for (int op = 0; op < 4; ++op) {
        memHandle work = copyOf(op < 2 ? damaged : sound);
        memHandle other = op < 2 ? sound : damaged;
        if (op % 2 == 0) rgnUnion(work, other);
        else rgnIntersect(work, other);
        rgnDispose(work);
    }
    memHandle work = copyOf(damaged);
    if (!rects.empty()) {
        rgnUnionRect(work, rects.front());
        rgnIntersectRect(work, rects.back());
        rgnDiffRects(work, u16(std::min<size_t>(rects.size(), 64)), rects.data());
    }
    rgnContainsPoint(work, Point16{0, 0});
    rgnOffset(work, 3, -5);
    rgnDispose(work);
    rgnDispose(sound);
    memFreeHandle(damaged);
    return 0;
}
