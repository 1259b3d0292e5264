#include "engine/gfx/GfxFont.h"

#include "engine/base/FixedPoint.h"

namespace {

GfxFont* defaultFont = nullptr;
u8 charSet = 0;
constexpr Fixed kTenthsPerTurn = 3600 * kFixedOne;

}  // namespace

GfxFont* gfxDefaultFont() { return defaultFont; }
void gfxSetDefaultFont(GfxFont* font) { defaultFont = font; }
u8 gfxFontCharSet() { return charSet; }
void gfxSetFontCharSet(u8 value) { charSet = value; }

i32 gfxFontEscapement(u16 angle) { return (fixedMul(kTenthsPerTurn, Fixed(angle)) + 0x8000) >> 16; }
