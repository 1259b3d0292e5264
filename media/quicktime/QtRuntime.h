#pragma once
// The runtime's calls under their role names. Each hands its arguments unchanged to the
// connected runtime's entry; while no connection stands, results are kQtErrNotAvailable, null
// or 0 and nothing is done (disposals of a null object do nothing). User-interface thread.
#include <cstddef>
#include <cstdint>

#include "media/quicktime/QtConnection.h"

using plat::media::MrErr;
using plat::media::MrExporter;
using plat::media::MrHandle;
using plat::media::MrImporter;
using plat::media::MrPixMap;
using plat::media::MrRect;
using plat::media::MrWorld;

MrHandle* qtNewHandle(uint32_t size);
void qtDisposeHandle(MrHandle* handle);
uint8_t* qtHandleData(MrHandle* handle);
uint32_t qtHandleSize(MrHandle* handle);
MrErr qtMemoryError();
int32_t qtFixedMultiply(int32_t a, int32_t b);
int32_t qtFixedRatio(int16_t numerator, int16_t denominator);
int32_t qtIntToFixed(int16_t value);
uint32_t qtTickCount();
MrErr qtNewWorld(MrWorld** out, int16_t depth, const MrRect* bounds);
MrErr qtNewWorldOfFormat(MrWorld** out, uint32_t pixelFormat, const MrRect* bounds);
MrErr qtNewWorldOverMemory(MrWorld** out, uint32_t pixelFormat, const MrRect* bounds, uint8_t* pixels, int32_t rowBytes);
void qtDisposeWorld(MrWorld* world);
MrPixMap* qtWorldPixMap(MrWorld* world);
uint32_t qtPixelsState(MrPixMap* map);
uint8_t qtLockPixels(MrPixMap* map);
void qtSetPixelsState(MrPixMap* map, uint32_t state);
uint8_t* qtPixelBase(MrPixMap* map);
MrErr qtMaxCompressionSize(MrPixMap* map, const MrRect* bounds, int16_t depth, uint32_t quality, uint32_t codecType, int32_t codecChoice, int32_t* outSize);
MrErr qtCompressImage(MrPixMap* map, const MrRect* bounds, int16_t depth, uint32_t quality, uint32_t codecType, int32_t codecChoice, uint32_t flags, MrHandle* description, uint8_t* data, uint32_t capacity);
MrErr qtDecompressImage(const uint8_t* data, uint32_t size, MrPixMap* map, const MrRect* source, const MrRect* destination);
MrErr qtOpenImporter(const char* path, MrImporter** out);
MrErr qtOpenImporterFromMemory(const uint8_t* data, size_t size, MrImporter** out);
MrErr qtImporterNaturalBounds(MrImporter* importer, MrRect* out);
MrErr qtImporterSetWorld(MrImporter* importer, MrWorld* world);
MrErr qtImporterSetDrawRect(MrImporter* importer, const MrRect* rect);
MrErr qtImporterDraw(MrImporter* importer);
void qtCloseImporter(MrImporter* importer);
MrErr qtOpenExporter(uint32_t format, MrExporter** out);
MrErr qtExporterSetInput(MrExporter* exporter, MrWorld* world);
MrErr qtExporterSetOutputFile(MrExporter* exporter, const char* path);
MrErr qtExporterExport(MrExporter* exporter);
void qtCloseExporter(MrExporter* exporter);

// Disposes of a world when one is given.
void qtReleaseIfSet(MrWorld* world);
