#include "media/quicktime/QtRuntime.h"

MrHandle* qtNewHandle(uint32_t size) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->newHandle(size) : nullptr;
}

void qtDisposeHandle(MrHandle* handle) {
    const auto* runtime = qtRuntime();
    if (runtime) runtime->disposeHandle(handle);
}

uint8_t* qtHandleData(MrHandle* handle) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->handleData(handle) : nullptr;
}

uint32_t qtHandleSize(MrHandle* handle) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->handleSize(handle) : 0;
}

MrErr qtMemoryError() {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->memoryError() : kQtErrNotAvailable;
}

int32_t qtFixedMultiply(int32_t a, int32_t b) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->fixedMultiply(a, b) : 0;
}

int32_t qtFixedRatio(int16_t numerator, int16_t denominator) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->fixedRatio(numerator, denominator) : 0;
}

int32_t qtIntToFixed(int16_t value) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->intToFixed(value) : 0;
}

uint32_t qtTickCount() {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->tickCount() : 0;
}

MrErr qtNewWorld(MrWorld** out, int16_t depth, const MrRect* bounds) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->newWorld(out, depth, bounds) : kQtErrNotAvailable;
}

MrErr qtNewWorldOfFormat(MrWorld** out, uint32_t pixelFormat, const MrRect* bounds) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->newWorldOfFormat(out, pixelFormat, bounds) : kQtErrNotAvailable;
}

MrErr qtNewWorldOverMemory(MrWorld** out, uint32_t pixelFormat, const MrRect* bounds, uint8_t* pixels, int32_t rowBytes) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->newWorldOverMemory(out, pixelFormat, bounds, pixels, rowBytes) : kQtErrNotAvailable;
}

void qtDisposeWorld(MrWorld* world) {
    const auto* runtime = qtRuntime();
    if (runtime) runtime->disposeWorld(world);
}

MrPixMap* qtWorldPixMap(MrWorld* world) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->worldPixMap(world) : nullptr;
}

uint32_t qtPixelsState(MrPixMap* map) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->pixelsState(map) : 0;
}

uint8_t qtLockPixels(MrPixMap* map) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->lockPixels(map) : 0;
}

void qtSetPixelsState(MrPixMap* map, uint32_t state) {
    const auto* runtime = qtRuntime();
    if (runtime) runtime->setPixelsState(map, state);
}

uint8_t* qtPixelBase(MrPixMap* map) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->pixelBase(map) : nullptr;
}

MrErr qtMaxCompressionSize(MrPixMap* map, const MrRect* bounds, int16_t depth, uint32_t quality, uint32_t codecType, int32_t codecChoice, int32_t* outSize) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->maxCompressionSize(map, bounds, depth, quality, codecType, codecChoice, outSize) : kQtErrNotAvailable;
}

MrErr qtCompressImage(MrPixMap* map, const MrRect* bounds, int16_t depth, uint32_t quality, uint32_t codecType, int32_t codecChoice, uint32_t flags, MrHandle* description, uint8_t* data, uint32_t capacity) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->compressImage(map, bounds, depth, quality, codecType, codecChoice, flags, description, data, capacity) : kQtErrNotAvailable;
}

MrErr qtDecompressImage(const uint8_t* data, uint32_t size, MrPixMap* map, const MrRect* source, const MrRect* destination) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->decompressImage(data, size, map, source, destination) : kQtErrNotAvailable;
}

MrErr qtOpenImporter(const char* path, MrImporter** out) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->openImporter(path, out) : kQtErrNotAvailable;
}

MrErr qtOpenImporterFromMemory(const uint8_t* data, size_t size, MrImporter** out) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->openImporterFromMemory(data, size, out) : kQtErrNotAvailable;
}

MrErr qtImporterNaturalBounds(MrImporter* importer, MrRect* out) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->importerNaturalBounds(importer, out) : kQtErrNotAvailable;
}

MrErr qtImporterSetWorld(MrImporter* importer, MrWorld* world) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->importerSetWorld(importer, world) : kQtErrNotAvailable;
}

MrErr qtImporterSetDrawRect(MrImporter* importer, const MrRect* rect) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->importerSetDrawRect(importer, rect) : kQtErrNotAvailable;
}

MrErr qtImporterDraw(MrImporter* importer) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->importerDraw(importer) : kQtErrNotAvailable;
}

void qtCloseImporter(MrImporter* importer) {
    const auto* runtime = qtRuntime();
    if (runtime) runtime->closeImporter(importer);
}

MrErr qtOpenExporter(uint32_t format, MrExporter** out) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->openExporter(format, out) : kQtErrNotAvailable;
}

MrErr qtExporterSetInput(MrExporter* exporter, MrWorld* world) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->exporterSetInput(exporter, world) : kQtErrNotAvailable;
}

MrErr qtExporterSetOutputFile(MrExporter* exporter, const char* path) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->exporterSetOutputFile(exporter, path) : kQtErrNotAvailable;
}

MrErr qtExporterExport(MrExporter* exporter) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->exporterExport(exporter) : kQtErrNotAvailable;
}

void qtCloseExporter(MrExporter* exporter) {
    const auto* runtime = qtRuntime();
    if (runtime) runtime->closeExporter(exporter);
}

void qtReleaseIfSet(MrWorld* world) {
    if (world) qtDisposeWorld(world);
}
