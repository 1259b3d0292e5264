#pragma once
// The runtime's entries that are not files or worlds: handles, fixed-point math, the tick
// count, pixel locks and the JPEG entries over a pixel map and an image description.
#include "platform/media/MediaRuntimeAbi.h"

namespace plat::media {

MrErr initializeRuntime(uint32_t flags);
MrHandle* newHandle(uint32_t size);
void disposeHandle(MrHandle* handle);
uint8_t* handleData(MrHandle* handle);
uint32_t handleSize(MrHandle* handle);
MrErr memoryError();
int32_t fixedMultiply(int32_t a, int32_t b);
int32_t fixedRatio(int16_t numerator, int16_t denominator);
int32_t intToFixed(int16_t value);
uint32_t tickCount();

MrErr newWorld(MrWorld** out, int16_t depth, const MrRect* bounds);
MrPixMap* worldPixMap(MrWorld* world);
uint32_t pixelsState(MrPixMap* map);
uint8_t lockPixels(MrPixMap* map);
void setPixelsState(MrPixMap* map, uint32_t state);
uint8_t* pixelBase(MrPixMap* map);

MrErr maxCompressionSize(MrPixMap* map, const MrRect* bounds, int16_t depth, uint32_t quality, uint32_t codecType,
                         int32_t codecChoice, int32_t* outSize);
MrErr compressImage(MrPixMap* map, const MrRect* bounds, int16_t depth, uint32_t quality, uint32_t codecType,
                    int32_t codecChoice, uint32_t flags, MrHandle* description, uint8_t* data, uint32_t capacity);
MrErr decompressImage(const uint8_t* data, uint32_t size, MrPixMap* map, const MrRect* source,
                      const MrRect* destination);

}  // namespace plat::media
