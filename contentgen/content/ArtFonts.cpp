#include "contentgen/content/ArtFonts.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include <cairo-ft.h>

namespace {

constexpr const char* kLabelFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
constexpr const char* kBodyFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr const char* kEmojiFont = "/usr/share/fonts/truetype/noto/NotoColorEmoji.ttf";

const cairo_user_data_key_t kFaceKey{};

// One FreeType library for the process: cairo may keep faces in its caches after their
// last user let go, and a face must not outlive its library.
FT_Library library() {
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        return FT_Init_FreeType(&l) == 0 ? l : nullptr;
    }();
    return lib;
}

void doneFace(void* face) { FT_Done_Face(static_cast<FT_Face>(face)); }

cairo_font_face_t* load(const std::string& path, int flags) {
    FT_Face face = nullptr;
    if (!library() || FT_New_Face(library(), path.c_str(), 0, &face) != 0) return nullptr;
    cairo_font_face_t* cairoFace = cairo_ft_font_face_create_for_ft_face(face, flags);
    if (cairo_font_face_set_user_data(cairoFace, &kFaceKey, face, doneFace) != CAIRO_STATUS_SUCCESS) {
        cairo_font_face_destroy(cairoFace);
        FT_Done_Face(face);
        return nullptr;
    }
    return cairoFace;
}

}  // namespace

ArtFonts::ArtFonts(const std::string& labelFont, const std::string& emojiFont, const std::string& bodyFont)
    : label_(load(labelFont.empty() ? kLabelFont : labelFont, 0)),
      emoji_(load(emojiFont.empty() ? kEmojiFont : emojiFont, FT_LOAD_COLOR)),
      body_(load(bodyFont.empty() ? kBodyFont : bodyFont, 0)) {}

ArtFonts::~ArtFonts() {
    if (label_) cairo_font_face_destroy(label_);
    if (emoji_) cairo_font_face_destroy(emoji_);
    if (body_) cairo_font_face_destroy(body_);
}
