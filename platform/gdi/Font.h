#pragma once
// Fonts: a face chosen by name, height and style, rendered by FreeType in monochrome so that
// the same text gives the same pixels on every run. Heights follow the font-request rule: a
// negative height is the character height (the em square), a positive one the cell height
// (ascent + descent), 0 a 12-pixel character height. Ascent and descent come from the face's
// OS/2 "win" metrics, the internal leading is the cell minus the character height. A font is
// immutable once made and shared by the contexts that select it; equal requests share one font
// while it lives. The user-interface thread alone uses fonts.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plat::gdi {

constexpr uint8_t kOutTrueTypeOnlyPrecision = 7;

struct FontRequest {
    friend bool operator==(const FontRequest&, const FontRequest&) = default;
    int32_t height = 0;
    int32_t weight = 400;
    bool italic = false;
    bool underline = false;
    uint8_t charSet = 0;
    int32_t escapement = 0;  // tenths of a degree, counter-clockwise
    uint8_t outPrecision = 0;
    std::string faceName;  // cp1252
};

// Pitch-and-family bits of the text metrics. The "fixed pitch" bit is set for variable-pitch fonts.
constexpr uint8_t kPitchVariableBit = 0x01;
constexpr uint8_t kPitchVectorBit = 0x02;
constexpr uint8_t kPitchTrueTypeBit = 0x04;
constexpr uint8_t kPitchDeviceBit = 0x08;
constexpr uint8_t kFamilyRoman = 0x10;
constexpr uint8_t kFamilySwiss = 0x20;
constexpr uint8_t kFamilyModern = 0x30;

struct TextMetrics {
    int32_t height = 0;
    int32_t ascent = 0;
    int32_t descent = 0;
    int32_t internalLeading = 0;
    int32_t externalLeading = 0;
    int32_t aveCharWidth = 0;
    int32_t maxCharWidth = 0;
    int32_t weight = 400;
    int32_t overhang = 0;
    bool italic = false;
    bool underlined = false;
    uint8_t pitchAndFamily = 0;
    uint8_t charSet = 0;
};

// One rendered glyph: rows of bits, most significant first, placed relative to the pen on the baseline.
struct Glyph {
    int32_t left = 0;  // from the pen to the first column
    int32_t top = 0;   // from the baseline up to the first row
    int32_t width = 0;
    int32_t rows = 0;
    int32_t pitch = 0;
    int32_t advanceX = 0;  // 26.6 fixed point, rotated with the text
    int32_t advanceY = 0;
    std::vector<uint8_t> bits;
    bool bit(int32_t x, int32_t y) const { return (bits[size_t(y * pitch + (x >> 3))] >> (7 - (x & 7))) & 1; }
};

struct AbcWidths {
    int32_t a = 0;
    int32_t b = 0;
    int32_t c = 0;
};

struct FontFile;

class Font {
public:
    // Null only when the machine has no usable font file at all.
    static std::shared_ptr<const Font> create(const FontRequest& request);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    const FontRequest& request() const { return request_; }
    const std::string& faceName() const { return faceName_; }
    const TextMetrics& metrics() const { return metrics_; }
    bool rotated() const { return request_.escapement % 3600 != 0; }

    // Unrotated advance of a cp1252 character in pixels.
    int32_t advance(uint8_t ch) const;
    AbcWidths abcWidths(uint8_t ch) const;
    // Rendered with the font's rotation; glyphs are cached per character.
    const Glyph& glyph(uint8_t ch) const;
    // Underline position below the baseline and thickness, in pixels.
    int32_t underlineOffset() const { return underlineOffset_; }
    int32_t underlineThickness() const { return underlineThickness_; }

private:
    struct FaceHandle;
    Font() = default;
    static std::shared_ptr<const Font> load(const FontRequest& request, const FontFile& file);
    // The recently made fonts, kept alive past their last user for the next equal request.
    static std::shared_ptr<const Font> kept(const FontRequest& request, const FontFile& file);
    static void keep(const std::shared_ptr<const Font>& font, const FontFile& file);

    FontRequest request_;
    std::string faceName_;
    TextMetrics metrics_;
    int32_t underlineOffset_ = 1;
    int32_t underlineThickness_ = 1;
    std::unique_ptr<FaceHandle> face_;
    mutable std::array<std::unique_ptr<Glyph>, 256> glyphs_{};
    std::array<int32_t, 256> advances_{};
};

}  // namespace plat::gdi
