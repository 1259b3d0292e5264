#pragma once
// Font descriptions of the graphics engine: the record the drawing calls keep per font (the
// font of the drawing layer is made per port when the port selects it), the default font
// and the character set fonts are made in. User-interface thread only.
#include "engine/base/EngineTypes.h"

constexpr u32 kGfxFontTag = fourCC("FONT");
constexpr u16 kGfxFontBold = 0x01;
constexpr u16 kGfxFontItalic = 0x02;
constexpr u16 kGfxFontUnderline = 0x04;
constexpr int kGfxFontNameSize = 32;

struct GfxFont {
    u32 tag = kGfxFontTag;
    GfxFont* next = nullptr;
    GfxFont* previous = nullptr;
    u16 useCount = 0;
    u16 rotated = 0;
    u16 angle = 0;  // 1/65536 of a full turn
    u16 size = 0;
    u16 style = 0;
    char faceName[kGfxFontNameSize] = {};
};

GfxFont* gfxDefaultFont();
void gfxSetDefaultFont(GfxFont* font);
u8 gfxFontCharSet();
void gfxSetFontCharSet(u8 charSet);
// The escapement of a rotated font in tenths of a degree, rounded to the nearest.
i32 gfxFontEscapement(u16 angle);
