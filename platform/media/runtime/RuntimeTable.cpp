// The media runtime module's one export: its table of entries.
#include "platform/media/GraphicsExporter.h"
#include "platform/media/GraphicsImporter.h"
#include "platform/media/MediaWorld.h"
#include "platform/media/RuntimeServices.h"
#include "platform/media/entries/PlaybackEntries.h"
#include "platform/media/movie/MovieEditingEntries.h"
#include "platform/media/runtime/MediaRuntimeTable.h"

namespace pm = plat::media;

namespace {

const pm::MediaRuntimeTable kTable = {
    pm::kMediaRuntimeVersion,
    pm::kMediaRuntimeEntryCount,
    pm::initializeRuntime,
    pm::newHandle,
    pm::disposeHandle,
    pm::handleData,
    pm::handleSize,
    pm::memoryError,
    pm::fixedMultiply,
    pm::fixedRatio,
    pm::intToFixed,
    pm::tickCount,
    pm::newWorld,
    pm::newWorldOfFormat,
    pm::newWorldOverMemory,
    pm::disposeWorld,
    pm::worldPixMap,
    pm::pixelsState,
    pm::lockPixels,
    pm::setPixelsState,
    pm::pixelBase,
    pm::maxCompressionSize,
    pm::compressImage,
    pm::decompressImage,
    pm::openImporter,
    pm::openImporterFromMemory,
    pm::importerNaturalBounds,
    pm::importerSetWorld,
    pm::importerSetDrawRect,
    pm::importerDraw,
    pm::closeImporter,
    pm::openExporter,
    pm::exporterSetInput,
    pm::exporterSetOutputFile,
    pm::exporterExport,
    pm::closeExporter,
    pm::editingEntries(),
    pm::playbackEntries(),
};

}  // namespace

extern "C" __attribute__((visibility("default"))) const pm::MediaRuntimeTable* tumbloMediaRuntimeTable() {
    return &kTable;
}
