#include "media/export/ProjectorTrailer.h"

namespace {

u32 readLe32(const u8* p) { return u32(p[0]) | u32(p[1]) << 8 | u32(p[2]) << 16 | u32(p[3]) << 24; }

void writeLe32(u8* p, u32 value) {
    for (int i = 0; i < 4; ++i) p[i] = u8(value >> (8 * i));
}

}  // namespace

bool ReadProjectorTrailer(std::span<const u8> trailer, u64 fileSize, u64* movieOffset, u32* movieLength) {
    if (trailer.size() != kProjectorTrailerSize || fileSize < kProjectorTrailerSize) return false;
    if (readLe32(trailer.data()) != kProjectorMarker) return false;
    const u32 length = readLe32(trailer.data() + 4);
    if (u64(length) > fileSize - kProjectorTrailerSize) return false;
    *movieOffset = fileSize - kProjectorTrailerSize - length;
    *movieLength = length;
    return true;
}

u64 ProjectorProgramSize(std::span<const u8> trailer, u64 fileSize) {
    u64 offset = 0;
    u32 length = 0;
    return ReadProjectorTrailer(trailer, fileSize, &offset, &length) ? offset : fileSize;
}

void WriteProjectorTrailer(u32 length, u8 out[kProjectorTrailerSize]) {
    writeLe32(out, kProjectorMarker);
    writeLe32(out + 4, length);
}
