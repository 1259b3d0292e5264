#pragma once
// The typefaces the art is drawn with, loaded from their Debian font files by path (not
// through a font matcher) so that every machine draws the same glyphs: a bold sans for
// labels, its regular face for running text (the user guide) and the colour emoji font for
// stickers and stamps.
#include <string>

#include <cairo.h>

class ArtFonts {
public:
    // Empty paths pick the Debian locations.
    explicit ArtFonts(const std::string& labelFont = {}, const std::string& emojiFont = {},
                      const std::string& bodyFont = {});
    ~ArtFonts();
    ArtFonts(const ArtFonts&) = delete;
    ArtFonts& operator=(const ArtFonts&) = delete;

    // Null when the font file could not be loaded.
    cairo_font_face_t* label() const { return label_; }
    cairo_font_face_t* emoji() const { return emoji_; }
    cairo_font_face_t* body() const { return body_; }

private:
    cairo_font_face_t* label_ = nullptr;
    cairo_font_face_t* emoji_ = nullptr;
    cairo_font_face_t* body_ = nullptr;
};
