#include "media/quicktime/JpegPictureBlock.h"

#include <cctype>
#include <cstring>

#include "engine/base/ByteOrder.h"

namespace {

constexpr u32 kUncompressedSizeField = 16;
constexpr u32 kStreamSizeField = 20;
constexpr u32 kCodecField = 8;

}  // namespace

u16 jpegDepthCode(u16 depth) {
    if (depth == 8) return 2;
    if (depth == 24 || depth == 32) return 4;
    return 3;
}

u16 rawDepthCode(u16 depth) {
    switch (depth) {
        case 8: return 2;
        case 16: return 3;
        case 24:
        case 32: return 4;
        default: return depth;
    }
}

bool jpegBlockRowBytes(u16 width, u16 depth, u16* out) {
    const u32 rowBytes = ((u32(depth / 8) * width) + 3) & ~3u;
    if (rowBytes > 0xFFFF) return false;
    *out = u16(rowBytes);
    return true;
}

bool imgWriteJPEGHeader(u8* block, u16 width, u16 height, u16 depth, u32 streamSize, const char* codecName) {
    u16 rowBytes = 0;
    if (!jpegBlockRowBytes(width, depth, &rowBytes)) return false;
    writeBE16(block, width);
    writeBE16(block + 2, height);
    writeBE16(block + 4, rowBytes);
    writeBE16(block + 6, u16(kJpegBlockFormat | jpegDepthCode(depth)));
    std::memset(block + kCodecField, 0, kJpegCodecNameSize);
    std::strncpy(reinterpret_cast<char*>(block + kCodecField), codecName, kJpegCodecNameSize - 1);
    writeBE32(block + kUncompressedSizeField, u32(rowBytes) * height);
    writeBE32(block + kStreamSizeField, streamSize);
    return true;
}

bool imgIsJPEGBlock(const u8* block, u32 size) {
    if (!block || size < kJpegBlockHeaderSize) return false;
    if ((readBE16(block + 6) & kJpegBlockFormat) != kJpegBlockFormat) return false;
    static constexpr char kName[kJpegCodecNameSize] = {'j', 'p', 'e', 'g', 0, 0, 0, 0};
    for (u32 i = 0; i < kJpegCodecNameSize; ++i)
        if (std::tolower(block[kCodecField + i]) != kName[i]) return false;
    return true;
}

bool imgReadJPEGHeader(const u8* block, u32 size, JpegBlockHeader* out) {
    if (!imgIsJPEGBlock(block, size)) return false;
    JpegBlockHeader h;
    h.width = readBE16(block);
    h.height = readBE16(block + 2);
    h.rowBytes = readBE16(block + 4);
    h.format = readBE16(block + 6);
    h.uncompressedSize = readBE32(block + kUncompressedSizeField);
    h.streamSize = readBE32(block + kStreamSizeField);
    if (h.width == 0 || h.height == 0 || h.streamSize == 0) return false;
    if (h.streamSize > size - kJpegBlockHeaderSize) return false;
    *out = h;
    return true;
}

void imgWriteRawHeader(u8* block, u16 width, u16 height, u16 rowBytes, u16 depth) {
    writeBE16(block, width);
    writeBE16(block + 2, height);
    writeBE16(block + 4, rowBytes);
    writeBE16(block + 6, u16(kRawBlockFormat | rawDepthCode(depth)));
}
