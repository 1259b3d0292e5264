#pragma once
// Result codes and in-memory record forms shared by every part of the Flash code.
// Every stream, tag and document operation returns one of these codes and also keeps it as
// its object's last status, so a caller may test after a run of steps.
#include "engine/base/EngineTypes.h"

namespace swf {

using Result = u16;

constexpr Result kOk = 0;
constexpr Result kErrColour = 1;      // an RGB/RGBA colour could not be read or written
constexpr Result kErrMemory = 2;      // out of memory, or a short or failed transfer
constexpr Result kErrNoContext = 4;   // no usable drawing context
constexpr Result kErrBadData = 6;     // wrong signature, value out of range, missing character
constexpr Result kErrNotFound = 7;    // name path or frame that does not exist
constexpr Result kErrNoInterface = 8; // interface query the object does not answer

// Twips, in the order Xmin, Ymin, Xmax, Ymax.
struct Rect {
    i32 xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    bool operator==(const Rect&) const = default;
};

// Scale and rotation in 16.16 fixed point, translation in twips.
struct Matrix {
    i32 scaleX = kFixedOne, rotateSkew0 = 0, rotateSkew1 = 0, scaleY = kFixedOne;
    i32 translateX = 0, translateY = 0;
    bool operator==(const Matrix&) const = default;
};

// Channel order red, green, blue, alpha; multiply terms in 8.8 fixed point (256 = 1.0).
struct Cxform {
    i16 mul[4] = {256, 256, 256, 256};
    i16 add[4] = {0, 0, 0, 0};
    bool operator==(const Cxform&) const = default;
};

struct Rgba {
    u8 red = 0, green = 0, blue = 0, alpha = 255;
    bool operator==(const Rgba&) const = default;
};

// Sizes of the records as they are laid out inside parsed blocks (little-endian, unaligned).
constexpr u32 kMatrixBlockSize = 24;
constexpr u32 kCxformBlockSize = 16;

}  // namespace swf

// Ends the calling function with the first failing step's code.
#define SWF_TRY(step)                                   \
    do {                                                \
        if (const ::swf::Result swfStep_ = (step)) return swfStep_; \
    } while (0)
