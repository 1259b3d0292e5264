#include "platform/gdi/Font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "platform/charset/Conversion.h"
#include "platform/gdi/FontCatalog.h"

namespace plat::gdi {

namespace {

constexpr int32_t kDefaultCharHeight = 12;
constexpr FT_Int32 kLoadFlags = FT_LOAD_TARGET_MONO;

FT_Library library() {
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        return FT_Init_FreeType(&l) == 0 ? l : nullptr;
    }();
    return lib;
}

FT_ULong codePoint(uint8_t ch) {
    std::u16string u = cp1252ToUtf16(std::string_view(reinterpret_cast<const char*>(&ch), 1));
    return u.empty() ? FT_ULong(ch) : FT_ULong(u[0]);
}

int32_t scaled(int64_t units, int32_t ppem, int32_t unitsPerEm) {
    return int32_t((units * ppem + unitsPerEm / 2) / unitsPerEm);
}

bool looksSerif(const std::string& family) {
    return family.find("Serif") != std::string::npos && family.find("Sans") == std::string::npos;
}

}  // namespace

struct Font::FaceHandle {
    FT_Face face = nullptr;
    ~FaceHandle() {
        if (face) FT_Done_Face(face);
    }
};

Font::~Font() = default;

std::shared_ptr<const Font> Font::create(const FontRequest& request) {
    // Ports make their font at every first lock: equal requests share the face while it lives.
    static std::vector<std::pair<FontRequest, std::weak_ptr<const Font>>> made;
    std::erase_if(made, [](const auto& entry) { return entry.second.expired(); });
    for (const auto& [key, font] : made)
        if (key == request) return font.lock();
    FontFile file;
    if (!library() || !findFontFile(request.faceName, request.weight, request.italic, file)) return nullptr;
    std::shared_ptr<const Font> font = kept(request, file);
    if (!font) font = load(request, file);
    if (font) {
        made.emplace_back(request, font);
        keep(font, file);
    }
    return font;
}

// A field, a dialog or a panel makes its fonts when it opens and drops them when it goes, and
// reading a face's 256 hinted advances is most of opening a dialog: the fonts used last stay
// made for the next one. A font is its request drawn from one file, so the file it was drawn
// from is part of the key (private fonts come and go and change which file a name finds).
namespace {
struct KeptFont {
    std::shared_ptr<const Font> font;
    std::string path;
    int index = 0;
};
constexpr size_t kKeptFonts = 24;
std::vector<KeptFont>& keptFonts() {
    static std::vector<KeptFont> fonts;
    return fonts;
}
}  // namespace

std::shared_ptr<const Font> Font::kept(const FontRequest& request, const FontFile& file) {
    std::vector<KeptFont>& fonts = keptFonts();
    for (auto it = fonts.begin(); it != fonts.end(); ++it)
        if (it->font->request() == request && it->path == file.path && it->index == file.index) return it->font;
    return nullptr;
}

void Font::keep(const std::shared_ptr<const Font>& font, const FontFile& file) {
    std::vector<KeptFont>& fonts = keptFonts();
    std::erase_if(fonts, [&](const KeptFont& k) { return k.font == font; });
    fonts.insert(fonts.begin(), KeptFont{font, file.path, file.index});
    if (fonts.size() > kKeptFonts) fonts.pop_back();
}

std::shared_ptr<const Font> Font::load(const FontRequest& request, const FontFile& file) {
    std::shared_ptr<Font> font(new Font());
    font->face_ = std::make_unique<FaceHandle>();
    if (FT_New_Face(library(), file.path.c_str(), file.index, &font->face_->face) != 0) return nullptr;
    FT_Face face = font->face_->face;
    font->request_ = request;
    font->faceName_ = file.family;

    int32_t units = face->units_per_EM ? face->units_per_EM : 1000;
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    auto* hhea = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    int64_t winAscent = os2 ? os2->usWinAscent : face->ascender;
    int64_t winDescent = os2 ? os2->usWinDescent : -face->descender;
    int64_t cell = std::max<int64_t>(1, winAscent + winDescent);
    int32_t ppem = request.height < 0   ? -request.height
                   : request.height > 0 ? std::max<int32_t>(1, int32_t((request.height * int64_t(units) + cell / 2) / cell))
                                        : kDefaultCharHeight;
    if (FT_Set_Pixel_Sizes(face, 0, FT_UInt(ppem)) != 0) return nullptr;

    TextMetrics& m = font->metrics_;
    m.ascent = scaled(winAscent, ppem, units);
    m.descent = scaled(winDescent, ppem, units);
    m.height = m.ascent + m.descent;
    m.internalLeading = std::max(0, m.height - ppem);
    if (hhea) {
        int64_t gap = hhea->Line_Gap - ((winAscent + winDescent) - (hhea->Ascender - hhea->Descender));
        m.externalLeading = std::max(0, scaled(gap, ppem, units));
    }
    for (int ch = 0; ch < 256; ++ch) {
        if (FT_Load_Char(face, codePoint(uint8_t(ch)), kLoadFlags) == 0)
            font->advances_[size_t(ch)] = int32_t((face->glyph->advance.x + 32) >> 6);
        if (ch >= 0x20) m.maxCharWidth = std::max(m.maxCharWidth, font->advances_[size_t(ch)]);
    }
    m.aveCharWidth = os2 ? scaled(os2->xAvgCharWidth, ppem, units) : font->advances_['x'];
    m.weight = os2 ? os2->usWeightClass : request.weight;
    m.italic = (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
    m.underlined = request.underline;
    m.charSet = request.charSet;
    bool fixed = FT_IS_FIXED_WIDTH(face);
    m.pitchAndFamily = uint8_t((fixed ? 0 : kPitchVariableBit) |
                               (FT_IS_SCALABLE(face) ? kPitchVectorBit | kPitchTrueTypeBit : 0) |
                               (fixed ? kFamilyModern : looksSerif(file.family) ? kFamilyRoman : kFamilySwiss));
    font->underlineOffset_ = std::max(1, scaled(-face->underline_position, ppem, units));
    font->underlineThickness_ = std::max(1, scaled(face->underline_thickness, ppem, units));

    if (font->rotated()) {
        double angle = request.escapement / 10.0 * M_PI / 180.0;
        FT_Matrix matrix{FT_Fixed(std::lround(std::cos(angle) * 0x10000)), FT_Fixed(std::lround(-std::sin(angle) * 0x10000)),
                         FT_Fixed(std::lround(std::sin(angle) * 0x10000)), FT_Fixed(std::lround(std::cos(angle) * 0x10000))};
        FT_Set_Transform(face, &matrix, nullptr);
    }
    return font;
}

int32_t Font::advance(uint8_t ch) const { return advances_[ch]; }

AbcWidths Font::abcWidths(uint8_t ch) const {
    FT_Face face = face_->face;
    if (FT_Load_Char(face, codePoint(ch), kLoadFlags) != 0) return {0, advances_[ch], 0};
    const FT_Glyph_Metrics& gm = face->glyph->metrics;
    AbcWidths w;
    w.a = int32_t(gm.horiBearingX >> 6);
    w.b = int32_t((gm.width + 63) >> 6);
    w.c = advances_[ch] - w.a - w.b;
    return w;
}

const Glyph& Font::glyph(uint8_t ch) const {
    std::unique_ptr<Glyph>& slot = glyphs_[ch];
    if (slot) return *slot;
    slot = std::make_unique<Glyph>();
    FT_Face face = face_->face;
    if (FT_Load_Char(face, codePoint(ch), FT_LOAD_RENDER | kLoadFlags) != 0) {
        slot->advanceX = advances_[ch] * 64;
        return *slot;
    }
    FT_GlyphSlot g = face->glyph;
    if (g->format != FT_GLYPH_FORMAT_BITMAP || g->bitmap.pixel_mode != FT_PIXEL_MODE_MONO)
        FT_Render_Glyph(g, FT_RENDER_MODE_MONO);
    const FT_Bitmap& b = g->bitmap;
    slot->left = g->bitmap_left;
    slot->top = g->bitmap_top;
    slot->width = int32_t(b.width);
    slot->rows = int32_t(b.rows);
    slot->pitch = std::abs(b.pitch);
    slot->advanceX = int32_t(g->advance.x);
    slot->advanceY = int32_t(g->advance.y);
    slot->bits.resize(size_t(slot->pitch) * b.rows);
    for (unsigned r = 0; r < b.rows; ++r) {
        const unsigned char* from = b.pitch >= 0 ? b.buffer + r * size_t(b.pitch) : b.buffer + (b.rows - 1 - r) * size_t(-b.pitch);
        std::copy(from, from + slot->pitch, slot->bits.begin() + ptrdiff_t(r * size_t(slot->pitch)));
    }
    return *slot;
}

}  // namespace plat::gdi
