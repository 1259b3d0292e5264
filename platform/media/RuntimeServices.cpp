#include "platform/media/RuntimeServices.h"

#include <chrono>
#include <cstring>
#include <new>
#include <vector>

#include "platform/media/ImageDescription.h"
#include "platform/media/JpegCoding.h"
#include "platform/media/MediaWorld.h"

struct plat::media::MrHandle {
    std::vector<uint8_t> bytes;
};

namespace plat::media {

namespace {

MrErr lastMemoryError = kMrNoErr;

}  // namespace

MrErr initializeRuntime(uint32_t) { return kMrNoErr; }

MrHandle* newHandle(uint32_t size) {
    auto* handle = new (std::nothrow) MrHandle;
    lastMemoryError = kMrMemFullErr;
    if (!handle) return nullptr;
    try {
        handle->bytes.assign(size, 0);
    } catch (const std::bad_alloc&) {
        delete handle;
        return nullptr;
    }
    lastMemoryError = kMrNoErr;
    return handle;
}

void disposeHandle(MrHandle* handle) { delete handle; }
uint8_t* handleData(MrHandle* handle) { return handle ? handle->bytes.data() : nullptr; }
uint32_t handleSize(MrHandle* handle) { return handle ? uint32_t(handle->bytes.size()) : 0; }
MrErr memoryError() { return lastMemoryError; }

int32_t fixedMultiply(int32_t a, int32_t b) { return int32_t((int64_t(a) * b) >> 16); }

int32_t fixedRatio(int16_t numerator, int16_t denominator) {
    if (denominator == 0) return numerator < 0 ? INT32_MIN : INT32_MAX;
    return int32_t((int64_t(numerator) << 16) / denominator);
}

int32_t intToFixed(int16_t value) { return int32_t(uint32_t(int32_t(value)) << 16); }

uint32_t tickCount() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(now).count() * 60 / 1000);
}

MrErr newWorld(MrWorld** out, int16_t depth, const MrRect* bounds) {
    const uint32_t format = formatOfDepth(depth);
    if (!format) {
        if (out) *out = nullptr;
        return kMrParamErr;
    }
    return newWorldOfFormat(out, format, bounds);
}

MrPixMap* worldPixMap(MrWorld* world) { return world ? &world->map : nullptr; }
uint32_t pixelsState(MrPixMap* map) { return map ? map->lockState : 0; }

uint8_t lockPixels(MrPixMap* map) {
    if (!map || !map->base) return 0;
    map->lockState = 1;
    return 1;
}

void setPixelsState(MrPixMap* map, uint32_t state) {
    if (map) map->lockState = state;
}

uint8_t* pixelBase(MrPixMap* map) { return map ? map->base : nullptr; }

MrErr maxCompressionSize(MrPixMap* map, const MrRect* bounds, int16_t, uint32_t, uint32_t codecType, int32_t,
                         int32_t* outSize) {
    if (!map || !bounds || !outSize) return kMrParamErr;
    if (codecType != kMrCodecJpeg) return kMrNoCodec;
    if (widthOf(*bounds) <= 0 || heightOf(*bounds) <= 0) return kMrParamErr;
    const uint32_t size = jpegMaxCompressedSize(widthOf(*bounds), heightOf(*bounds));
    if (size > uint32_t(INT32_MAX)) return kMrMemFullErr;
    *outSize = int32_t(size);
    return kMrNoErr;
}

MrErr compressImage(MrPixMap* map, const MrRect* bounds, int16_t depth, uint32_t quality, uint32_t codecType, int32_t,
                    uint32_t, MrHandle* description, uint8_t* data, uint32_t capacity) {
    if (!map || !bounds || !description || description->bytes.size() < kMrImageDescriptionSize || !data)
        return kMrParamErr;
    if (codecType != kMrCodecJpeg) return kMrNoCodec;
    std::vector<uint8_t> stream;
    if (const MrErr err = jpegCompress(*map, *bounds, quality, stream)) return err;
    if (stream.size() > capacity) return kMrMemFullErr;
    std::memcpy(data, stream.data(), stream.size());
    ImageDescriptionFields fields;
    fields.codecType = kMrCodecJpeg;
    fields.spatialQuality = quality;
    fields.width = uint16_t(widthOf(*bounds));
    fields.height = uint16_t(heightOf(*bounds));
    fields.dataSize = uint32_t(stream.size());
    fields.depth = depth;
    static constexpr char kName[] = "Photo - JPEG";
    fields.name[0] = uint8_t(sizeof kName - 1);
    std::memcpy(fields.name + 1, kName, sizeof kName - 1);
    writeImageDescription(description->bytes.data(), fields);
    return kMrNoErr;
}

MrErr decompressImage(const uint8_t* data, uint32_t size, MrPixMap* map, const MrRect* source,
                      const MrRect* destination) {
    if (!data || !map || !source || !destination) return kMrParamErr;
    return jpegDecompress(data, size, *map, *source, *destination);
}

}  // namespace plat::media
