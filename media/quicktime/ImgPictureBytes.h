#pragma once
// A picture file held in memory (what another program copied: PNG, JPEG, GIF, BMP or PICT)
// read by the media runtime into 16-bit pixels at its own size, nothing scaled: only its
// top-left part within the limit is kept. What the picture leaves transparent is white.
// User-interface thread only; without the media runtime nothing is read.
#include <span>
#include <vector>

#include "engine/base/EngineTypes.h"

struct ImgPixels {
    i16 width = 0;
    i16 height = 0;
    std::vector<u16> pixels;  // RGB555 rows, top first
};

// kDocErrBadSize for a limit without pixels; kDocErrNotReadable for bytes that hold no picture
// the runtime reads (or no runtime), kErrNone with `out` filled otherwise.
EngineErr imgReadPictureBytes(std::span<const u8> file, i16 maxWidth, i16 maxHeight, ImgPixels* out);
