#pragma once
// The 86-byte image description that travels with a compressed picture: big-endian fields at
// fixed offsets, read and written one by one.
#include <cstdint>

namespace plat::media {

struct ImageDescriptionFields {
    uint32_t size = 86;
    uint32_t codecType = 0;
    uint16_t version = 0;
    uint16_t revisionLevel = 0;
    uint32_t vendor = 0;
    uint32_t temporalQuality = 0;
    uint32_t spatialQuality = 0;
    uint16_t width = 0;
    uint16_t height = 0;
    int32_t horizontalResolution = 72 << 16;  // 16.16
    int32_t verticalResolution = 72 << 16;
    uint32_t dataSize = 0;
    uint16_t frameCount = 1;
    uint8_t name[32] = {};
    int16_t depth = 0;
    int16_t colorTableId = -1;
};

constexpr uint32_t kImageDescriptionDataSizeOffset = 44;

void writeImageDescription(uint8_t* out, const ImageDescriptionFields& fields);
ImageDescriptionFields readImageDescription(const uint8_t* in);

}  // namespace plat::media
