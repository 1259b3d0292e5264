// Font descriptions: the circular list of all fonts (newest at its head) and the font of the
// current port. Handles are checked against the list before they are followed.
#include <cctype>
#include <cstring>
#include <new>
#include <string>

#include "engine/gfx/GfxDrawPorts.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"
#include "platform/gdi/FontCatalog.h"

namespace {

constexpr const char* kDefaultFace = "DEFAULT";
constexpr i32 kBoldWeight = 600;
GfxFont* const kBadFont = reinterpret_cast<GfxFont*>(~uintptr_t(0));

GfxFont* fontListHead = nullptr;

bool isListed(const GfxFont* font) {
    if (!font || font == kBadFont || !fontListHead) return false;
    const GfxFont* f = fontListHead;
    do {
        if (f == font) return font->tag == kGfxFontTag;
        f = f->next;
    } while (f != fontListHead);
    return false;
}

bool namesDefault(const char* name) {
    if (!name || !*name) return true;
    std::string lower(name);
    for (char& c : lower) c = char(std::tolower(u8(c)));
    return lower == "default";
}

void unlink(GfxFont* font) {
    if (font->next == font) {
        fontListHead = nullptr;
    } else {
        font->previous->next = font->next;
        font->next->previous = font->previous;
        if (fontListHead == font) fontListHead = font->next;
    }
    font->tag = 0;
}

}  // namespace

GfxFont* gfxNewFont(const char* faceName, u16 size, u16 style) {
    auto* font = new (std::nothrow) GfxFont;
    if (!font) {
        gfxSetError(kGfxErrOutOfMemory);
        return nullptr;
    }
    const char* name = namesDefault(faceName) ? kDefaultFace : faceName;
    std::strncpy(font->faceName, name, kGfxFontNameSize - 1);
    font->size = size;
    font->style = style;
    if (fontListHead) {
        font->next = fontListHead;
        font->previous = fontListHead->previous;
        fontListHead->previous->next = font;
        fontListHead->previous = font;
    } else {
        font->next = font->previous = font;
    }
    fontListHead = font;
    gfxSetError(kErrNone);
    return font;
}

EngineErr gfxDisposeFont(GfxFont* font) {
    if (!isListed(font)) return gfxSetError(kGfxErrBadFont);
    if (font->useCount) return gfxSetError(kGfxErrFontInUse);
    unlink(font);
    delete font;
    return gfxSetError(kErrNone);
}

void gfxDisposeAllFonts() {
    while (fontListHead) {
        GfxFont* font = fontListHead;
        unlink(font);
        if (font == gfxDefaultFont()) gfxSetDefaultFont(nullptr);
        delete font;
    }
}

GfxFont* gfxSetFont(GfxFont* font) {
    GfxPort* port = gfxQueriedPort();
    GfxFont* failed = reinterpret_cast<GfxFont*>(~uintptr_t(0));
    if (!port) return failed;
    GfxFont* wanted = font ? font : gfxDefaultFont();
    if (!isListed(wanted)) {
        gfxSetError(kGfxErrBadFont);
        return failed;
    }
    GfxFont* previous = port->font;
    if (wanted != previous) {
        if (port->dc && gfxSetError(port->SelectFont(wanted)) != kErrNone) return failed;
        if (previous && previous->useCount) --previous->useCount;
        ++wanted->useCount;
        port->font = wanted;
    }
    gfxSetError(kErrNone);
    return previous == gfxDefaultFont() ? nullptr : previous;
}

GfxFont* gfxGetFont() {
    GfxPort* port = gfxQueriedPort();
    if (!port) return nullptr;
    return port->font == gfxDefaultFont() ? nullptr : port->font;
}

EngineErr gfxGetFontInfo(GfxFontInfo* out) {
    std::memset(out, 0, sizeof(*out));
    GfxPort* port = gfxDrawingPort();
    if (!port) return gfxGetLastError();
    GfxDrawBracket bracket(port);
    if (!bracket.open()) return gfxGetLastError();
    if (!port->gdiFont) return gfxSetError(kGfxErrGdi);
    const plat::gdi::TextMetrics& m = port->textMetrics;
    u8 pitch = m.pitchAndFamily;
    u16 style = u16((m.weight >= kBoldWeight ? kGfxFontBold : 0) | (m.italic ? kGfxFontItalic : 0) |
                    (m.underlined ? kGfxFontUnderline : 0));
    u16 values[11] = {u16(m.ascent - m.internalLeading), u16(m.descent), u16(m.externalLeading),
                      u16(m.descent + m.externalLeading + m.ascent), u16(m.ascent), u16(m.maxCharWidth),
                      u16((pitch & plat::gdi::kPitchDeviceBit) ? 1 : 0), u16(pitch & plat::gdi::kPitchVariableBit),
                      u16((pitch & plat::gdi::kPitchTrueTypeBit) ? 1 : 0), port->font ? port->font->angle : u16(0), style};
    std::memcpy(out->values, values, sizeof(values));
    std::strncpy(out->name, port->gdiFont->faceName().c_str(), kGfxFontNameSize - 1);
    return gfxSetError(kErrNone);
}

EngineErr gfxEnumFonts(GfxFontFamilyCallback callback, void* context) {
    for (const plat::gdi::FontFamily& family : plat::gdi::listFontFamilies()) {
        GfxFontFamily record{};
        std::strncpy(record.name, family.name.c_str(), kGfxFontNameSize - 1);
        record.fixedPitch = family.fixedPitch;
        record.trueType = family.trueType;
        record.textFace = family.textFace;
        auto styleOf = [](const plat::gdi::FontStyle& style) {
            return u16((style.weight > plat::gdi::FontStyle{}.weight ? kGfxFontBold : 0) | (style.italic ? kGfxFontItalic : 0));
        };
        if (family.trueType) {
            for (const plat::gdi::FontStyle& style : family.styles) {
                record.style = styleOf(style);
                if (callback(record, context)) break;
            }
            continue;
        }
        record.style = family.styles.empty() ? 0 : styleOf(family.styles.front());
        if (callback(record, context)) break;
    }
    return gfxSetError(kErrNone);
}
