#pragma once
// JPEG coding of world pixels with libjpeg-turbo. Qualities are the runtime's 0-0x400 scale
// (0x200 normal, 0x3FF the highest below lossless, 0x400 lossless, coded as the best quality),
// mapped onto libjpeg's 1-100. Decoding checks every size against the stream it reads and
// refuses truncated streams; grey, RGB, CMYK and YCCK streams are read.
#include <cstdint>
#include <vector>

#include "platform/media/MediaRuntimeAbi.h"
#include "platform/media/PictureImage.h"

namespace plat::media {

// Pictures with more pixels are refused before any decoding buffer is made.
constexpr uint64_t kMaxJpegPixels = uint64_t(1) << 26;

int libjpegQuality(uint32_t quality);
uint32_t jpegMaxCompressedSize(int32_t width, int32_t height);

// Codes the `bounds` part of the map (map coordinates) into `out`.
MrErr jpegCompress(const MrPixMap& map, const MrRect& bounds, uint32_t quality, std::vector<uint8_t>& out);

struct JpegInfo {
    int32_t width = 0;
    int32_t height = 0;
    int components = 0;
};
MrErr jpegReadInfo(const uint8_t* data, uint32_t size, JpegInfo* info);

// Decodes the stream and maps its `source` part (picture coordinates) onto `destination` (map
// coordinates), clipped to the map. Equal sizes go straight from the decoder into the rows.
MrErr jpegDecompress(const uint8_t* data, uint32_t size, MrPixMap& map, const MrRect& source,
                     const MrRect& destination);

// The whole picture as RGBA rows (for the importer). Every byte is written, alpha 255, so
// the bytes are not cleared first; on failure they are left undefined.
MrErr jpegDecodeRgba(const uint8_t* data, uint32_t size, int32_t* width, int32_t* height, PixelBytes& rgba);

}  // namespace plat::media
