#pragma once
// The alphabet strip's pictures: each character of the set drawn bold and centred in a 48 x 48
// square of white, in a colour, as a 16-bit engine bitmap in machine order. A character that
// cannot be drawn keeps its place as a white square, so that every later place keeps its
// sound and its stamp. The letter a child stamps is drawn the same way at twice the size (a
// 96 x 96 square, the font twice as large): at the strip's size it would come out smaller
// than the words a child writes. User-interface thread only.
#include <string>
#include <vector>

#include "engine/gfx/GfxColor.h"
#include "framework/controls/ScrollerPicture.h"

namespace Ostrel {

constexpr u16 kAlphabetGlyphSide = 48;
constexpr u16 kAlphabetStampScale = 2;

// Each character in a square of `side` pixels. Empty when no offscreen picture can be made at all.
std::vector<ScrollerPicture> RenderAlphabet(const std::string& characters, const std::string& fontName, u16 fontSize,
                                            const GfxColor& colour, u16 side = kAlphabetGlyphSide);
// A white square of the glyphs' size.
ScrollerPicture BlankGlyph();

}  // namespace Ostrel
