#pragma once
// Offscreen worlds of the media runtime: a pixel map over memory the world owns or borrows
// (a caller's buffer that must outlive the world). Rows are top-down, `rowBytes` apart.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/media/MediaRuntimeAbi.h"

struct plat::media::MrWorld {
    std::vector<uint8_t> owned;
    std::vector<uint32_t> table;
    MrPixMap map{};
};

namespace plat::media {

// Bits per pixel of a world pixel format, 0 for one we do not keep.
int bitsOfFormat(uint32_t pixelFormat);
// The format a depth asks for: 8, 16 (L555), 24 (BGR), 32 (BGRA) and 0 (the default, 32).
uint32_t formatOfDepth(int16_t depth);

MrErr newWorldOfFormat(MrWorld** out, uint32_t pixelFormat, const MrRect* bounds);
MrErr newWorldOverMemory(MrWorld** out, uint32_t pixelFormat, const MrRect* bounds, uint8_t* pixels,
                         int32_t rowBytes);
void disposeWorld(MrWorld* world);

}  // namespace plat::media
