#pragma once
// The types the media runtime's table (platform/media/runtime/MediaRuntimeTable.h) speaks in:
// 16-bit result codes, 0 for success, rectangles, pixel maps, the opaque worlds, importers and
// exporters, and the coding and export format codes. A world's pixel map stays valid while the
// world lives.
#include <cstddef>
#include <cstdint>

namespace plat::media {

using MrErr = int16_t;
constexpr MrErr kMrNoErr = 0;
constexpr MrErr kMrParamErr = -50;
constexpr MrErr kMrMemFullErr = -108;
constexpr MrErr kMrFileNotFound = -43;
constexpr MrErr kMrIoErr = -36;
constexpr MrErr kMrBadFormat = -8969;       // data a coder cannot read
constexpr MrErr kMrNoCodec = -8961;         // no compressor for the codec type
constexpr MrErr kMrCantFindHandler = -2003; // no importer or exporter for the file or format
constexpr MrErr kMrBadComponent = -2000;

// Rectangles in the runtime's order: top, left, bottom, right.
struct MrRect {
    int16_t top, left, bottom, right;
};

inline int32_t widthOf(const MrRect& r) { return int32_t(r.right) - r.left; }
inline int32_t heightOf(const MrRect& r) { return int32_t(r.bottom) - r.top; }
// Bytes per row of a world: the pixels rounded up to 4 bytes.
inline int32_t paddedRowBytes(int32_t width, int bits) { return int32_t(((int64_t(width) * bits + 31) / 32) * 4); }

// Pixel formats of worlds. Depth 16 is RGB555 in machine-order words (bit 15 clear), 24 is
// blue, green, red in memory (the DIB order), 32 is blue, green, red, alpha, 8 an index into the
// colour table. kMrFormatRgb24 is red, green, blue in memory, the order of caller pixel buffers.
constexpr uint32_t kMrFormatL555 = 0x4C353535;  // 'L555'
constexpr uint32_t kMrFormatRgb24 = 24;
constexpr uint32_t kMrFormatBgr24 = 0x32344247;  // '24BG'
constexpr uint32_t kMrFormatBgra32 = 0x42475241; // 'BGRA'
constexpr uint32_t kMrFormatIndexed8 = 8;

struct MrPixMap {
    uint8_t* base;
    int32_t rowBytes;
    uint32_t pixelFormat;
    int16_t depth;
    MrRect bounds;
    const uint32_t* colorTable;  // 0x00RRGGBB entries for indexed maps, else null
    uint16_t colorCount;
    uint32_t lockState;          // 1 while the pixels are locked
};

struct MrWorld;
struct MrImporter;
struct MrExporter;
struct MrHandle;

// Image description: 86 bytes, big-endian fields (the layout is in ImageDescription.h).
constexpr uint32_t kMrImageDescriptionSize = 86;
constexpr uint32_t kMrCodecJpeg = 0x6A706567;  // 'jpeg'

// Export formats, the exporter subtypes.
constexpr uint32_t kMrExportPict = 0x50494354;  // 'PICT'
constexpr uint32_t kMrExportBmp = 0x424D5066;   // 'BMPf'
constexpr uint32_t kMrExportGif = 0x47494666;   // 'GIFf'
constexpr uint32_t kMrExportJpeg = 0x4A504547;  // 'JPEG'
constexpr uint32_t kMrExportPng = 0x504E4766;   // 'PNGf'
constexpr uint32_t kMrExportTiff = 0x54494646;  // 'TIFF'

}  // namespace plat::media
