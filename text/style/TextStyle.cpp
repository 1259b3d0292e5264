#include "text/style/TextStyle.h"

#include <cstring>

#include "engine/gfx/GfxDraw.h"

namespace {

bool sameColour(const GfxColor& a, const GfxColor& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue && a.flag == b.flag;
}

void mergeState(u32& mine, u32 theirs) {
    if (theirs != kStyleNotSet) mine = theirs;
}

void intersectState(u32& mine, u32 theirs) {
    if (mine != kStyleNotSet && theirs != kStyleNotSet && mine != theirs) mine = kStyleNotSet;
}

}  // namespace

void TextStyle::Set(const char* faceName, u16 pointSize, u16 styleBits, const GfxColor& colour) {
    std::memset(name, 0, sizeof(name));
    // One byte is kept for the terminating NUL, so a 32-character name is cut to 31.
    if (faceName) std::strncpy(name, faceName, sizeof(name) - 1);
    size = pointSize;
    bold = (styleBits & kGfxFontBold) ? kStyleOn : kStyleOff;
    italic = (styleBits & kGfxFontItalic) ? kStyleOn : kStyleOff;
    underline = (styleBits & kGfxFontUnderline) ? kStyleOn : kStyleOff;
    color = colour;
}

void TextStyle::Merge(const TextStyle& other) {
    if (other.name[0]) std::memcpy(name, other.name, sizeof(name));
    if (other.size) size = other.size;
    mergeState(bold, other.bold);
    mergeState(underline, other.underline);
    mergeState(italic, other.italic);
    if (other.color.GetKind() != -1) color = other.color;
}

void TextStyle::Intersect(const TextStyle& other) {
    if (name[0] && other.name[0] && std::strncmp(name, other.name, sizeof(name)) != 0) std::memset(name, 0, sizeof(name));
    if (size && other.size && size != other.size) size = 0;
    intersectState(bold, other.bold);
    intersectState(underline, other.underline);
    intersectState(italic, other.italic);
    if (color.GetKind() != -1 && other.color.GetKind() != -1 && !sameColour(color, other.color)) color = GfxColor{};
}

u16 TextStyle::StyleBits() const {
    u16 bits = 0;
    if (bold == kStyleOn) bits |= kGfxFontBold;
    if (italic == kStyleOn) bits |= kGfxFontItalic;
    if (underline == kStyleOn) bits |= kGfxFontUnderline;
    return bits;
}

GfxFont* TextStyle::CreateFont() const { return gfxNewFont(name, size, StyleBits()); }

bool TextStyle::operator==(const TextStyle& other) const {
    return std::strncmp(name, other.name, sizeof(name)) == 0 && size == other.size && sameColour(color, other.color) &&
           bold == other.bold && underline == other.underline && italic == other.italic;
}

TextStyle& currentTextStyle() {
    static TextStyle style;
    return style;
}
