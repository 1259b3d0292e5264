#pragma once
// Colour values of the graphics engine: four bytes naming an RGB colour, a palette index or
// the port's default colour. Conversions that need a palette use the current port.
#include "engine/base/EngineTypes.h"

constexpr u8 kGfxColorFlagDefault = 0xFF;
constexpr u8 kGfxColorFlagIndex = 0x80;
constexpr u8 kGfxColorFlagKind1 = 0x10;
// The flag the ports give their white background and black foreground.
constexpr u8 kGfxColorFlagPortRgb = 4;
constexpr u16 kGfxNoIndex = 0xFFFF;

struct GfxColor {
    u8 red = 0;
    u8 green = 0;
    u8 blue = 0;
    u8 flag = kGfxColorFlagDefault;

    static GfxColor rgb(u8 r, u8 g, u8 b, u8 flag = 0) { return GfxColor{r, g, b, flag}; }

    // -1 makes the default colour.
    void FromIndex(i16 index);
    // The flag loses bit 7 unless it is the default flag.
    void CopyFrom(const GfxColor& other);
    // -1 default, 0 palette index, 1 kind 1, 2 RGB.
    i32 GetKind() const;
    // Bytes 0-1 as the u16 palette index (first byte low).
    u16 index() const { return u16(red | (green << 8)); }
    // Needs a current port; see the port's NearestIndex and IndexToColor.
    u16 ToIndex() const;
    GfxColor* ToRGB(GfxColor* out) const;
};
static_assert(sizeof(GfxColor) == 4);
