#pragma once
// Graphics exporters: a world's picture written as a PICT, BMP, GIF, JPEG, PNG or TIFF file.
// The file is written beside the target under a temporary name, flushed to disk and renamed
// over the target, so a failed export leaves the target as it was.
#include <cstdint>
#include <string>

#include "platform/media/MediaRuntimeAbi.h"

struct plat::media::MrExporter {
    uint32_t format = 0;
    MrWorld* input = nullptr;
    std::string path;
};

namespace plat::media {

// JPEG exports are coded at the runtime's high quality.
constexpr uint32_t kExportJpegQuality = 0x300;

MrErr openExporter(uint32_t format, MrExporter** out);
MrErr exporterSetInput(MrExporter* exporter, MrWorld* world);
MrErr exporterSetOutputFile(MrExporter* exporter, const char* path);
MrErr exporterExport(MrExporter* exporter);
void closeExporter(MrExporter* exporter);

// Writes `bytes` to `path` through a temporary file in the same folder renamed over it.
MrErr replaceFileWith(const std::string& path, const uint8_t* bytes, size_t size);

}  // namespace plat::media
