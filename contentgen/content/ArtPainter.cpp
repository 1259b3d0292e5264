#include "contentgen/content/ArtPainter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "contentgen/content/ToolIconPainter.h"

using nlohmann::json;

namespace {

constexpr int kMaxUseDepth = 8;
constexpr double kPi = 3.14159265358979323846;
// A text too large for its box is tried again this much smaller (or smaller still), at most
// this many times.
constexpr double kFitStep = 0.97;
constexpr int kMaxFitAttempts = 60;
// How tall a box must be, in lines, before a long label may break into two.
constexpr double kTwoLineShare = 1.3;

double num(const json& v, const char* what) {
    if (!v.is_number()) throw ArtError(std::string("expected a number for ") + what);
    return v.get<double>();
}

std::vector<double> nums(const json& v, size_t count, const char* what) {
    if (!v.is_array() || v.size() != count) throw ArtError(std::string("expected ") + std::to_string(count) + " numbers for " + what);
    std::vector<double> out;
    for (const json& e : v) out.push_back(num(e, what));
    return out;
}

// A text for a box of `width` × `height`: on one line when it fits, else broken at spaces
// into as many lines as the box holds; `size` shrinks until every line fits the width and
// the lines the height. Leaves the font at that size.
std::vector<std::string> fitText(cairo_t* cr, const std::string& text, double width, double height, double* size) {
    std::vector<std::string> lines;
    for (int attempt = 0; attempt < kMaxFitAttempts; ++attempt) {
        cairo_set_font_size(cr, *size);
        cairo_font_extents_t fe;
        cairo_font_extents(cr, &fe);
        const size_t room = size_t(std::max(1.0, std::floor(height / fe.height)));
        const auto advance = [cr](const std::string& line) {
            cairo_text_extents_t ext;
            cairo_text_extents(cr, line.c_str(), &ext);
            return ext.x_advance;
        };
        // On one line when it fits; else broken at spaces, each line as full as it may be.
        lines.assign(1, text);
        if (room > 1 && advance(text) > width) {
            lines.clear();
            std::istringstream words(text);
            std::string word;
            while (words >> word) {
                if (!lines.empty() && advance(lines.back() + " " + word) <= width)
                    lines.back() += " " + word;
                else
                    lines.push_back(word);
            }
            if (lines.empty()) lines.assign(1, text);
        }
        double widest = 0;
        for (const std::string& line : lines) widest = std::max(widest, advance(line));
        if (widest <= width && lines.size() <= room) return lines;
        // Advances are hinted, rounded glyph by glyph, so they do not shrink in proportion to
        // the size: every smaller size is measured again.
        // A line of several words in a box nearly tall enough for two shrinks step by step, so
        // that it breaks into two lines before it shrinks to the size of one.
        const bool nearlyTwoLines = room == 1 && height / fe.height >= kTwoLineShare;
        const bool breakable = nearlyTwoLines && text.find(' ') != std::string::npos;
        double factor = kFitStep;
        if (widest > width && widest > 0 && !breakable) factor = std::min(factor, width / widest);
        *size *= factor;
    }
    cairo_set_font_size(cr, *size);
    return lines;
}

void setSource(cairo_t* cr, const json& paint) {
    if (paint.is_string()) {
        const ArtColour c = artParseColour(paint.get<std::string>());
        cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a);
        return;
    }
    if (!paint.is_object() || !paint.contains("stops")) throw ArtError("a fill is a colour or a gradient with stops");
    cairo_pattern_t* pattern = nullptr;
    if (paint.contains("linear")) {
        const auto p = nums(paint["linear"], 4, "linear");
        pattern = cairo_pattern_create_linear(p[0], p[1], p[2], p[3]);
    } else if (paint.contains("radial")) {
        const auto p = nums(paint["radial"], 4, "radial (cx, cy, r0, r1)");
        pattern = cairo_pattern_create_radial(p[0], p[1], p[2], p[0], p[1], p[3]);
    } else {
        throw ArtError("a gradient is linear or radial");
    }
    for (const json& stop : paint["stops"]) {
        if (!stop.is_array() || stop.size() != 2) throw ArtError("a gradient stop is [offset, colour]");
        const ArtColour c = artParseColour(stop[1].get<std::string>());
        cairo_pattern_add_color_stop_rgba(pattern, num(stop[0], "stop"), c.r, c.g, c.b, c.a);
    }
    cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);
}

// Fills and strokes the current path as the operation asks.
void finishPath(cairo_t* cr, const json& op) {
    const bool stroke = op.contains("stroke");
    if (op.contains("fill")) {
        setSource(cr, op["fill"]);
        stroke ? cairo_fill_preserve(cr) : cairo_fill(cr);
    }
    if (stroke) {
        setSource(cr, op["stroke"]);
        cairo_set_line_width(cr, op.contains("line") ? num(op["line"], "line") : 3.0);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    }
    cairo_new_path(cr);
}

void roundRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
    cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
    cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

void ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
}

// "M x y L x y C x1 y1 x2 y2 x y Q x1 y1 x y Z", absolute coordinates only.
void svgPath(cairo_t* cr, const std::string& d) {
    std::istringstream in(d);
    std::string token;
    char command = 0;
    double cx = 0, cy = 0;
    auto read = [&](int n, double* out) {
        for (int i = 0; i < n; ++i)
            if (!(in >> out[i])) throw ArtError("path \"" + d + "\" ends inside a command");
    };
    while (in >> std::ws && !in.eof()) {
        const int c = in.peek();
        if (std::isalpha(c)) {
            command = char(in.get());
            if (command == 'Z' || command == 'z') {
                cairo_close_path(cr);
                continue;
            }
        }
        double v[6];
        switch (command) {
        case 'M': read(2, v); cairo_move_to(cr, v[0], v[1]); cx = v[0], cy = v[1]; command = 'L'; break;
        case 'L': read(2, v); cairo_line_to(cr, v[0], v[1]); cx = v[0], cy = v[1]; break;
        case 'C': read(6, v); cairo_curve_to(cr, v[0], v[1], v[2], v[3], v[4], v[5]); cx = v[4], cy = v[5]; break;
        case 'Q':
            read(4, v);
            cairo_curve_to(cr, cx + 2.0 / 3 * (v[0] - cx), cy + 2.0 / 3 * (v[1] - cy), v[2] + 2.0 / 3 * (v[0] - v[2]),
                           v[3] + 2.0 / 3 * (v[1] - v[3]), v[2], v[3]);
            cx = v[2], cy = v[3];
            break;
        default: throw ArtError("path \"" + d + "\" uses a command other than M, L, C, Q, Z");
        }
    }
}

// A small fixed generator, so that scattered art is the same on every run.
struct Scatter {
    u32 state;
    double next() {
        state = state * 1664525u + 1013904223u;
        return double(state >> 8) / double(1u << 24);
    }
};

void transform(cairo_t* cr, const json& op) {
    if (op.contains("translate")) {
        const auto t = nums(op["translate"], 2, "translate");
        cairo_translate(cr, t[0], t[1]);
    }
    if (op.contains("rotate")) cairo_rotate(cr, num(op["rotate"], "rotate") * kPi / 180);
    if (op.contains("scale")) {
        const double s = num(op["scale"], "scale");
        cairo_scale(cr, s, s);
    }
}

}  // namespace

ArtColour artParseColour(const std::string& text) {
    auto hex = [&](size_t at) {
        unsigned v = 0;
        for (size_t i = at; i < at + 2; ++i) {
            const char c = text[i];
            v = v * 16 + unsigned(std::isdigit(c) ? c - '0' : std::tolower(c) - 'a' + 10);
            if (!std::isxdigit(c)) throw ArtError("colour \"" + text + "\" is not #rrggbb or #rrggbbaa");
        }
        return v / 255.0;
    };
    if (text.size() != 7 && text.size() != 9) throw ArtError("colour \"" + text + "\" is not #rrggbb or #rrggbbaa");
    if (text[0] != '#') throw ArtError("colour \"" + text + "\" does not start with #");
    return ArtColour{hex(1), hex(3), hex(5), text.size() == 9 ? hex(7) : 1.0};
}

void artGreyOut(Raster& raster) {
    for (u32& p : raster.pixels) {
        const u32 a = p >> 24, r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        const u32 grey = (r * 3 + g * 6 + b) / 10;
        // Lightened towards the alpha (white, premultiplied) and kept opaque enough to show.
        const u32 light = (grey + a) / 2;
        p = (a << 24) | (light << 16) | (light << 8) | light;
    }
}

ArtPainter::ArtPainter(const ArtFonts& fonts, const json& library, ArtTextLookup texts)
    : fonts_(fonts), library_(library), texts_(std::move(texts)) {}

Raster ArtPainter::paint(const json& ops, int width, int height) const {
    Raster raster(width, height);
    cairo_surface_t* surface = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(raster.pixels.data()),
                                                                   CAIRO_FORMAT_ARGB32, width, height, width * 4);
    cairo_t* cr = cairo_create(surface);
    try {
        draw(cr, ops);
    } catch (...) {
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
        throw;
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
    return raster;
}

void ArtPainter::draw(cairo_t* cr, const json& ops) const {
    if (!ops.is_array()) throw ArtError("art is a list of operations");
    for (const json& op : ops) {
        cairo_save(cr);
        drawOne(cr, op);
        cairo_restore(cr);
    }
}

void ArtPainter::drawOne(cairo_t* cr, const json& op) const {
    if (!op.is_object()) throw ArtError("an art operation is an object");
    transform(cr, op);
    if (op.contains("rect")) {
        const auto r = nums(op["rect"], 4, "rect");
        roundRect(cr, r[0], r[1], r[2], r[3], op.contains("r") ? num(op["r"], "r") : 0);
        finishPath(cr, op);
    } else if (op.contains("ellipse")) {
        const auto e = nums(op["ellipse"], 4, "ellipse");
        ellipse(cr, e[0], e[1], e[2], e[3]);
        finishPath(cr, op);
    } else if (op.contains("circle")) {
        const auto c = nums(op["circle"], 3, "circle");
        ellipse(cr, c[0], c[1], c[2], c[2]);
        finishPath(cr, op);
    } else if (op.contains("poly")) {
        bool first = true;
        for (const json& p : op["poly"]) {
            const auto xy = nums(p, 2, "poly point");
            first ? cairo_move_to(cr, xy[0], xy[1]) : cairo_line_to(cr, xy[0], xy[1]);
            first = false;
        }
        if (!op.value("open", false)) cairo_close_path(cr);
        finishPath(cr, op);
    } else if (op.contains("path")) {
        svgPath(cr, op["path"].get<std::string>());
        finishPath(cr, op);
    } else if (op.contains("star")) {
        const auto s = nums(op["star"], 5, "star (cx, cy, outer, inner, points)");
        const int points = int(s[4]);
        for (int i = 0; i < points * 2; ++i) {
            const double a = -kPi / 2 + i * kPi / points, r = i % 2 ? s[3] : s[2];
            i == 0 ? cairo_move_to(cr, s[0] + r * std::cos(a), s[1] + r * std::sin(a))
                   : cairo_line_to(cr, s[0] + r * std::cos(a), s[1] + r * std::sin(a));
        }
        cairo_close_path(cr);
        finishPath(cr, op);
    } else if (op.contains("cloud")) {
        const auto c = nums(op["cloud"], 3, "cloud (cx, cy, width)");
        const double w = c[2];
        ellipse(cr, c[0] - w * 0.25, c[1] + w * 0.05, w * 0.25, w * 0.17);
        ellipse(cr, c[0], c[1] - w * 0.08, w * 0.28, w * 0.24);
        ellipse(cr, c[0] + w * 0.25, c[1] + w * 0.04, w * 0.24, w * 0.18);
        ellipse(cr, c[0], c[1] + w * 0.12, w * 0.42, w * 0.12);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
        finishPath(cr, op);
    } else if (op.contains("sparkles")) {
        const auto area = nums(op["sparkles"], 4, "sparkles (x, y, w, h)");
        Scatter rng{op.value("seed", 1u)};
        const json& colours = op.at("colours");
        const int count = op.value("count", 20);
        for (int i = 0; i < count; ++i) {
            const double x = area[0] + rng.next() * area[2], y = area[1] + rng.next() * area[3];
            const double r = 2 + rng.next() * op.value("size", 6.0);
            setSource(cr, colours[size_t(rng.next() * double(colours.size())) % colours.size()]);
            if (op.value("stars", false)) {
                for (int k = 0; k < 8; ++k) {
                    const double a = -kPi / 2 + k * kPi / 4, rr = k % 2 ? r * 0.4 : r;
                    k == 0 ? cairo_move_to(cr, x + rr * std::cos(a), y + rr * std::sin(a))
                           : cairo_line_to(cr, x + rr * std::cos(a), y + rr * std::sin(a));
                }
                cairo_close_path(cr);
            } else {
                ellipse(cr, x, y, r, r);
            }
            cairo_fill(cr);
        }
    } else if (op.contains("text") || op.contains("key")) {
        drawText(cr, op);
    } else if (op.contains("emoji")) {
        drawEmoji(cr, op);
    } else if (op.contains("use")) {
        drawUse(cr, op);
    } else if (op.contains("tool")) {
        drawTool(cr, op);
    } else if (op.contains("group")) {
        if (op.contains("alpha")) {
            cairo_push_group(cr);
            draw(cr, op["group"]);
            cairo_pop_group_to_source(cr);
            cairo_paint_with_alpha(cr, num(op["alpha"], "alpha"));
        } else {
            draw(cr, op["group"]);
        }
    } else {
        throw ArtError("unknown art operation " + op.dump());
    }
}

void ArtPainter::drawText(cairo_t* cr, const json& op) const {
    if (!fonts_.label()) throw ArtError("the label font could not be loaded");
    const std::string text = op.contains("key") ? texts_(op["key"].get<std::string>()) : op["text"].get<std::string>();
    cairo_set_font_face(cr, fonts_.label());
    double size = op.contains("size") ? num(op["size"], "size") : 16;
    cairo_set_font_size(cr, size);
    if (op.contains("box")) {
        // Each line centred in the box; the lines as a block centred from top to bottom. An
        // outline reaches half its width past the letters: it too stays inside the box.
        auto b = nums(op["box"], 4, "box");
        if (op.contains("outline")) {
            const double reach = op.value("outlineWidth", 3.0) / 2;
            b[0] += reach;
            b[2] = std::max(1.0, b[2] - 2 * reach);
        }
        const std::vector<std::string> lines = fitText(cr, text, b[2], b[3], &size);
        // Below the least size a child reads, a text too long for its box keeps that size and
        // is drawn narrower instead: its outline would fill smaller letters.
        double narrow = 1;
        if (const double least = op.contains("least") ? num(op["least"], "least") : 0; size < least) {
            size = least;
            cairo_set_font_size(cr, size);
            for (const std::string& line : lines) {
                cairo_text_extents_t ext;
                cairo_text_extents(cr, line.c_str(), &ext);
                if (ext.x_advance > 0) narrow = std::min(narrow, b[2] / ext.x_advance);
            }
        }
        cairo_font_extents_t fe;
        cairo_font_extents(cr, &fe);
        const double count = double(lines.size());
        double y = b[1] + (b[3] - (count - 1) * fe.height + fe.ascent - fe.descent) / 2;
        for (const std::string& line : lines) {
            cairo_text_extents_t ext;
            cairo_text_extents(cr, line.c_str(), &ext);
            cairo_save(cr);
            cairo_translate(cr, b[0] + (b[2] - ext.x_advance * narrow) / 2, y);
            cairo_scale(cr, narrow, 1);
            cairo_move_to(cr, 0, 0);
            cairo_text_path(cr, line.c_str());
            cairo_restore(cr);
            y += fe.height;
        }
    } else {
        cairo_text_extents_t ext;
        cairo_text_extents(cr, text.c_str(), &ext);
        const auto at = nums(op.at("at"), 2, "at");
        const std::string align = op.value("align", "left");
        cairo_move_to(cr, at[0] - (align == "center" ? ext.x_advance / 2 : align == "right" ? ext.x_advance : 0), at[1]);
        cairo_text_path(cr, text.c_str());
    }
    if (op.contains("outline")) {
        setSource(cr, op["outline"]);
        cairo_set_line_width(cr, op.value("outlineWidth", 3.0));
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
    }
    setSource(cr, op.value("fill", json("#ffffff")));
    cairo_fill(cr);
}

void ArtPainter::drawEmoji(cairo_t* cr, const json& op) const {
    if (!fonts_.emoji()) throw ArtError("the emoji font could not be loaded");
    const std::string text = op["emoji"].get<std::string>();
    const auto at = nums(op.at("at"), 2, "at (centre)");
    const double size = op.contains("size") ? num(op["size"], "size") : 64;
    cairo_set_font_face(cr, fonts_.emoji());
    cairo_set_font_size(cr, size);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    cairo_move_to(cr, at[0] - ext.x_bearing - ext.width / 2, at[1] - ext.y_bearing - ext.height / 2);
    cairo_show_text(cr, text.c_str());
}

void ArtPainter::drawUse(cairo_t* cr, const json& op) const {
    const std::string name = op["use"].get<std::string>();
    if (!library_.contains(name)) throw ArtError("art \"" + name + "\" is not in the art library");
    if (useDepth_ >= kMaxUseDepth) throw ArtError("art \"" + name + "\" uses itself");
    if (op.contains("at")) {
        const auto at = nums(op["at"], 2, "at");
        cairo_translate(cr, at[0], at[1]);
    }
    if (op.contains("size")) {
        const double s = num(op["size"], "size") / 100.0;
        cairo_scale(cr, s, s);
    }
    ++useDepth_;
    try {
        draw(cr, library_[name]);
    } catch (...) {
        --useDepth_;
        throw;
    }
    --useDepth_;
}

void ArtPainter::drawTool(cairo_t* cr, const json& op) const {
    const auto box = nums(op.at("box"), 4, "tool box (x, y, w, h)");
    const i16 width = i16(box[2]), height = i16(box[3]);
    if (width <= 0 || height <= 0) throw ArtError("a tool box has a width and a height");
    ToolIconRecipe recipe;
    recipe.tool = i16(num(op["tool"], "tool"));
    recipe.size = i16(op.contains("size") ? num(op["size"], "size") : 10);
    const ArtColour colour = artParseColour(op.value("colour", std::string("#000000")));
    recipe.colour = GfxColor::rgb(u8(std::lround(colour.r * 255)), u8(std::lround(colour.g * 255)), u8(std::lround(colour.b * 255)));
    try {
        recipe.gesture = toolGestureNamed(op.value("gesture", std::string("wave")));
    } catch (const std::invalid_argument& e) {
        throw ArtError(e.what());
    }
    // The picture the tool starts from: the scene's art on white.
    std::vector<u16> pixels(size_t(width) * size_t(height), 0x7FFF);
    if (op.contains("scene")) {
        const Raster scene = paint(op["scene"], width, height);
        for (size_t i = 0; i < pixels.size(); ++i)
            if (rasterOpaque(scene.pixels[i])) pixels[i] = rasterTo555(scene.pixels[i]);
    }
    if (!paintWithTool(recipe, pixels, width, height)) throw ArtError("tool " + std::to_string(recipe.tool) + " paints nothing: " + op.dump());
    Raster shown(width, height);
    for (size_t i = 0; i < pixels.size(); ++i) {
        const u32 p = pixels[i];
        const auto spread = [](u32 c) { return (c << 3) | (c >> 2); };
        shown.pixels[i] = 0xFF000000u | (spread((p >> 10) & 31) << 16) | (spread((p >> 5) & 31) << 8) | spread(p & 31);
    }
    cairo_surface_t* surface = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(shown.pixels.data()),
                                                                   CAIRO_FORMAT_ARGB32, width, height, width * 4);
    cairo_set_source_surface(cr, surface, box[0], box[1]);
    cairo_paint(cr);
    cairo_surface_destroy(surface);
}
