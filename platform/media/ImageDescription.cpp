#include "platform/media/ImageDescription.h"

#include <cstring>

namespace plat::media {

namespace {

void put16(uint8_t* p, uint32_t v) { p[0] = uint8_t(v >> 8), p[1] = uint8_t(v); }
void put32(uint8_t* p, uint32_t v) { put16(p, v >> 16), put16(p + 2, v); }
uint16_t get16(const uint8_t* p) { return uint16_t((p[0] << 8) | p[1]); }
uint32_t get32(const uint8_t* p) { return (uint32_t(get16(p)) << 16) | get16(p + 2); }

}  // namespace

void writeImageDescription(uint8_t* out, const ImageDescriptionFields& f) {
    std::memset(out, 0, 86);
    put32(out, f.size);
    put32(out + 4, f.codecType);
    // 8..13 reserved, 14 data reference index 0
    put16(out + 16, f.version);
    put16(out + 18, f.revisionLevel);
    put32(out + 20, f.vendor);
    put32(out + 24, f.temporalQuality);
    put32(out + 28, f.spatialQuality);
    put16(out + 32, f.width);
    put16(out + 34, f.height);
    put32(out + 36, uint32_t(f.horizontalResolution));
    put32(out + 40, uint32_t(f.verticalResolution));
    put32(out + kImageDescriptionDataSizeOffset, f.dataSize);
    put16(out + 48, f.frameCount);
    std::memcpy(out + 50, f.name, 32);
    put16(out + 82, uint16_t(f.depth));
    put16(out + 84, uint16_t(f.colorTableId));
}

ImageDescriptionFields readImageDescription(const uint8_t* in) {
    ImageDescriptionFields f;
    f.size = get32(in);
    f.codecType = get32(in + 4);
    f.version = get16(in + 16);
    f.revisionLevel = get16(in + 18);
    f.vendor = get32(in + 20);
    f.temporalQuality = get32(in + 24);
    f.spatialQuality = get32(in + 28);
    f.width = get16(in + 32);
    f.height = get16(in + 34);
    f.horizontalResolution = int32_t(get32(in + 36));
    f.verticalResolution = int32_t(get32(in + 40));
    f.dataSize = get32(in + kImageDescriptionDataSizeOffset);
    f.frameCount = get16(in + 48);
    std::memcpy(f.name, in + 50, 32);
    f.depth = int16_t(get16(in + 82));
    f.colorTableId = int16_t(get16(in + 84));
    return f;
}

}  // namespace plat::media
