#pragma once
// Draws the art of the content manifests: a list of vector operations (rectangles, ellipses,
// paths, stars, clouds, sparkles, texts, emoji, groups, uses of named art, and what a painting
// tool paints when it is run) painted with cairo, anti-aliased, into a transparent raster.
// Texts name a key of the language files, so labels read the same as the program's texts in
// each language.
//
// Manifests are ours but still checked: an operation the painter does not know, or a
// malformed one, is refused with a message naming it (thrown as ArtError).
#include <functional>
#include <stdexcept>
#include <string>

#include <cairo.h>
#include <nlohmann/json.hpp>

#include "contentgen/content/ArtFonts.h"
#include "contentgen/raster/Raster.h"

struct ArtError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// "Section/Key" → the text in the language being drawn (UTF-8); throws for a missing key.
using ArtTextLookup = std::function<std::string(const std::string& sectionAndKey)>;

class ArtPainter {
public:
    // `library` maps names to operation lists that "use" refers to.
    ArtPainter(const ArtFonts& fonts, const nlohmann::json& library, ArtTextLookup texts);

    // The operations drawn on a transparent raster of the given size.
    Raster paint(const nlohmann::json& ops, int width, int height) const;
    // The operations drawn on cairo's current state (saved and restored around each one).
    void draw(cairo_t* cr, const nlohmann::json& ops) const;

private:
    void drawOne(cairo_t* cr, const nlohmann::json& op) const;
    void drawText(cairo_t* cr, const nlohmann::json& op) const;
    void drawEmoji(cairo_t* cr, const nlohmann::json& op) const;
    void drawUse(cairo_t* cr, const nlohmann::json& op) const;
    // What a painting tool paints, by running it (ToolIconPainter) over the op's scene.
    void drawTool(cairo_t* cr, const nlohmann::json& op) const;

    const ArtFonts& fonts_;
    const nlohmann::json& library_;
    ArtTextLookup texts_;
    mutable int useDepth_ = 0;
};

// Colours as "#rrggbb" or "#rrggbbaa".
struct ArtColour {
    double r, g, b, a;
};
ArtColour artParseColour(const std::string& text);

// Turns a premultiplied raster grey and half transparent: the look of a disabled button.
void artGreyOut(Raster& raster);
