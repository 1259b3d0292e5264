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

#include "platform/media/MediaRuntimeAbi.h"
#include "platform/media/entries/MoviePlaybackAbi.h"
#include "platform/media/movie/MovieEditingAbi.h"

namespace plat::media {

constexpr const char* kMediaRuntimeLibrary = "libtumblomedia.so";
constexpr const char* kMediaRuntimeTableEntry = "tumbloMediaRuntimeTable";
constexpr uint32_t kMediaRuntimeVersion = 1;

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
    // A picture file held in memory, read at once.
    MrErr (*openImporterFromMemory)(const uint8_t* data, size_t size, MrImporter** out);
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
