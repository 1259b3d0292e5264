#pragma once
// A 16-bit RGB555 picture as the tools see it: rows of pixels reached by a top-row pointer and
// a byte step that may be negative (an offscreen port's store is bottom-up). The view owns
// nothing; whoever made it keeps the memory alive while the view is used.
#include <cstddef>
#include <vector>

#include "engine/base/EngineTypes.h"
#include "engine/gfx/GfxColor.h"
#include "engine/regions/Rects.h"

class GfxOffscreenPort;

constexpr u16 kRgb555White = 0x7FFF;
constexpr u16 kRgb555Black = 0x0000;

inline u16 rgb555(u8 r, u8 g, u8 b) { return u16(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3)); }
inline u8 rgb555Red(u16 p) { return u8((p >> 10) & 31); }
inline u8 rgb555Green(u16 p) { return u8((p >> 5) & 31); }
inline u8 rgb555Blue(u16 p) { return u8(p & 31); }
inline u16 rgb555FromChannels(u32 r, u32 g, u32 b) { return u16((r << 10) | (g << 5) | b); }
// A colour value as an RGB555 pixel: RGB values by their top five bits of each channel, the
// default colour and palette indices as black.
u16 rgb555FromColor(const GfxColor& color);

struct PixelView {
    u8* top = nullptr;
    std::ptrdiff_t rowStep = 0;
    i16 width = 0;
    i16 height = 0;

    u16* Row(i32 y) const { return reinterpret_cast<u16*>(top + y * rowStep); }
    bool Contains(i32 x, i32 y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    u16 At(i32 x, i32 y) const { return Row(y)[x]; }
    void Put(i32 x, i32 y, u16 pixel) const {
        if (Contains(x, y)) Row(y)[x] = pixel;
    }
    Rect16 Bounds() const { return Rect16{0, 0, width, height}; }
    // Pixels x0 .. x1 - 1 of row y, cut to the picture.
    void FillSpan(i32 y, i32 x0, i32 x1, u16 pixel) const;
    void Fill(u16 pixel) const;
    // Copies the rectangle (cut to both pictures) from a picture of the same size.
    void CopyRectFrom(const PixelView& source, const Rect16& r) const;
};

// The view of a 16-bit offscreen port's store; an empty view for any other depth.
PixelView pixelViewOfPort(GfxOffscreenPort& port);
// The view of a top-down buffer of width × height pixels.
PixelView pixelViewOfBuffer(std::vector<u16>& pixels, i16 width, i16 height);
