#pragma once
// The look of characters: face, size, colour and three tri-state attributes. Any part may be
// left not set, so one record serves both as a full style and as a partial change that is
// merged over another.
#include "engine/base/EngineTypes.h"
#include "engine/gfx/GfxColor.h"
#include "engine/gfx/GfxFont.h"

constexpr u32 kStyleOff = 0;
constexpr u32 kStyleOn = 1;
constexpr u32 kStyleNotSet = 2;

struct TextStyle {
    // Always NUL-terminated; empty means not set.
    char name[kGfxFontNameSize] = {};
    u16 size = 0;
    GfxColor color;
    u32 bold = kStyleNotSet;
    u32 underline = kStyleNotSet;
    u32 italic = kStyleNotSet;

    // Style bits as the engine's fonts take them (kGfxFontBold, kGfxFontItalic, kGfxFontUnderline).
    void Set(const char* faceName, u16 pointSize, u16 styleBits, const GfxColor& colour);
    void Merge(const TextStyle& other);
    void Intersect(const TextStyle& other);
    u16 StyleBits() const;
    // The caller disposes of the font.
    GfxFont* CreateFont() const;

    bool operator==(const TextStyle& other) const;
};

// The style new texts start from and an empty layout takes its line metrics from; the text
// panel keeps it.
TextStyle& currentTextStyle();
