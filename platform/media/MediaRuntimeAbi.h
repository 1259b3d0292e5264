#pragma once
// The one table our media runtime exports. The runtime is a loadable module of ours
// ("libtumblomedia.so") that codes JPEG, imports and exports picture files and keeps offscreen
// worlds over libjpeg-turbo, libpng, giflib and libtiff; the program reaches it only through
// this table, looked up by the name kMediaRuntimeTableEntry. Every entry is a plain function
// pointer; a table whose version or entry count is short, or with an empty slot, is refused by
// the client. Results are 16-bit codes, 0 for success. Worlds, importers and exporters are
// opaque; a world's pixel map stays valid while the world lives. One thread at a time.
#include <cstddef>
#include <cstdint>

#include "platform/media/movie/MovieEditingAbi.h"
#include "platform/media/playback/entries/MoviePlaybackAbi.h"

namespace plat::media {

constexpr const char* kMediaRuntimeLibrary = "libtumblomedia.so";
constexpr const char* kMediaRuntimeTableEntry = "tumbloMediaRuntimeTable";
constexpr uint32_t kMediaRuntimeVersion = 1;

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

struct MediaRuntimeTable {
    uint32_t version;
    uint32_t entryCount;  // the number of function slots that follow
    MrErr (*initialize)(uint32_t flags);
    // Handles and math.
    MrHandle* (*newHandle)(uint32_t size);
    void (*disposeHandle)(MrHandle* handle);
    uint8_t* (*handleData)(MrHandle* handle);
    uint32_t (*handleSize)(MrHandle* handle);
    MrErr (*memoryError)();
    int32_t (*fixedMultiply)(int32_t a, int32_t b);
    int32_t (*fixedRatio)(int16_t numerator, int16_t denominator);
    int32_t (*intToFixed)(int16_t value);
    uint32_t (*tickCount)();
    // Offscreen worlds. Depth 0 asks for the default depth, 32 bits.
    MrErr (*newWorld)(MrWorld** out, int16_t depth, const MrRect* bounds);
    MrErr (*newWorldOfFormat)(MrWorld** out, uint32_t pixelFormat, const MrRect* bounds);
    MrErr (*newWorldOverMemory)(MrWorld** out, uint32_t pixelFormat, const MrRect* bounds, uint8_t* pixels,
                                int32_t rowBytes);
    void (*disposeWorld)(MrWorld* world);
    MrPixMap* (*worldPixMap)(MrWorld* world);
    uint32_t (*pixelsState)(MrPixMap* map);
    uint8_t (*lockPixels)(MrPixMap* map);
    void (*setPixelsState)(MrPixMap* map, uint32_t state);
    uint8_t* (*pixelBase)(MrPixMap* map);
    // JPEG coding. Quality runs 0 to 0x400 (0x400 lossless, coded here as the best quality).
    MrErr (*maxCompressionSize)(MrPixMap* map, const MrRect* bounds, int16_t depth, uint32_t quality,
                                uint32_t codecType, int32_t codecChoice, int32_t* outSize);
    // Writes at most `capacity` bytes at `data` and fills `description` (86 bytes) with the
    // stream's size, dimensions and depth.
    MrErr (*compressImage)(MrPixMap* map, const MrRect* bounds, int16_t depth, uint32_t quality, uint32_t codecType,
                           int32_t codecChoice, uint32_t flags, MrHandle* description, uint8_t* data,
                           uint32_t capacity);
    // Decodes `size` bytes of JPEG stream and maps its `source` part onto `destination` of the map.
    MrErr (*decompressImage)(const uint8_t* data, uint32_t size, MrPixMap* map, const MrRect* source,
                             const MrRect* destination);
    // Picture files, by path (UTF-8 host paths).
    MrErr (*openImporter)(const char* path, MrImporter** out);
    MrErr (*importerNaturalBounds)(MrImporter* importer, MrRect* out);
    MrErr (*importerSetWorld)(MrImporter* importer, MrWorld* world);
    MrErr (*importerSetDrawRect)(MrImporter* importer, const MrRect* rect);
    MrErr (*importerDraw)(MrImporter* importer);
    void (*closeImporter)(MrImporter* importer);
    MrErr (*openExporter)(uint32_t format, MrExporter** out);
    MrErr (*exporterSetInput)(MrExporter* exporter, MrWorld* world);
    MrErr (*exporterSetOutputFile)(MrExporter* exporter, const char* path);
    // Writes a new file beside the target and renames it over the target: the target is
    // untouched unless the whole picture was written.
    MrErr (*exporterExport)(MrExporter* exporter);
    void (*closeExporter)(MrExporter* exporter);
    // Movies, tracks, media, atom containers, effects and flattening.
    MovieEditingEntries editing;
    // Playing movies opened from files, byte ranges of files or memory.
    MoviePlaybackEntries playback;
};

constexpr uint32_t kMediaRuntimeEntryCount =
    uint32_t((sizeof(MediaRuntimeTable) - offsetof(MediaRuntimeTable, initialize)) / sizeof(void*));

using MediaRuntimeTableEntry = const MediaRuntimeTable* (*)();

}  // namespace plat::media
