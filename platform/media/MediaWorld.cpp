#include "platform/media/MediaWorld.h"

#include <limits>
#include <new>

namespace plat::media {

namespace {

// Worlds larger than this are refused before any allocation: 32767 x 32767 at 32 bits would
// otherwise ask for 4 GB on a bad rectangle.
constexpr uint64_t kMaxWorldBytes = uint64_t(1) << 30;

bool validBounds(const MrRect* bounds) {
    return bounds && widthOf(*bounds) > 0 && heightOf(*bounds) > 0;
}

MrErr makeWorld(MrWorld** out, uint32_t pixelFormat, const MrRect& bounds, uint8_t* pixels, int32_t rowBytes) {
    auto world = std::unique_ptr<MrWorld>(new (std::nothrow) MrWorld);
    if (!world) return kMrMemFullErr;
    const int bits = bitsOfFormat(pixelFormat);
    world->map.pixelFormat = pixelFormat;
    world->map.depth = int16_t(bits);
    world->map.bounds = bounds;
    world->map.rowBytes = rowBytes;
    if (!pixels) {
        const uint64_t size = uint64_t(rowBytes) * uint64_t(heightOf(bounds));
        if (size > kMaxWorldBytes) return kMrMemFullErr;
        try {
            world->owned.assign(size, 0);
        } catch (const std::bad_alloc&) {
            return kMrMemFullErr;
        }
        pixels = world->owned.data();
    }
    world->map.base = pixels;
    if (bits == 8) {
        // A grey ramp until a caller sets colours: indexed pictures decoded here are grey.
        world->table.resize(256);
        for (uint32_t i = 0; i < 256; ++i) world->table[i] = (i << 16) | (i << 8) | i;
        world->map.colorTable = world->table.data();
        world->map.colorCount = 256;
    }
    *out = world.release();
    return kMrNoErr;
}

}  // namespace

int bitsOfFormat(uint32_t pixelFormat) {
    switch (pixelFormat) {
        case kMrFormatIndexed8: return 8;
        case kMrFormatL555: return 16;
        case kMrFormatRgb24:
        case kMrFormatBgr24: return 24;
        case kMrFormatBgra32: return 32;
        default: return 0;
    }
}

uint32_t formatOfDepth(int16_t depth) {
    switch (depth) {
        case 8: return kMrFormatIndexed8;
        case 16: return kMrFormatL555;
        case 24: return kMrFormatBgr24;
        case 0:
        case 32: return kMrFormatBgra32;
        default: return 0;
    }
}

MrErr newWorldOfFormat(MrWorld** out, uint32_t pixelFormat, const MrRect* bounds) {
    if (!out) return kMrParamErr;
    *out = nullptr;
    const int bits = bitsOfFormat(pixelFormat);
    if (!bits || !validBounds(bounds)) return kMrParamErr;
    return makeWorld(out, pixelFormat, *bounds, nullptr, paddedRowBytes(widthOf(*bounds), bits));
}

MrErr newWorldOverMemory(MrWorld** out, uint32_t pixelFormat, const MrRect* bounds, uint8_t* pixels,
                         int32_t rowBytes) {
    if (!out) return kMrParamErr;
    *out = nullptr;
    const int bits = bitsOfFormat(pixelFormat);
    if (!bits || !validBounds(bounds) || !pixels) return kMrParamErr;
    if (int64_t(rowBytes) * 8 < int64_t(widthOf(*bounds)) * bits) return kMrParamErr;
    return makeWorld(out, pixelFormat, *bounds, pixels, rowBytes);
}

void disposeWorld(MrWorld* world) { delete world; }

}  // namespace plat::media
