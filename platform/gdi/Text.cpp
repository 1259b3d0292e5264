#include "platform/gdi/Text.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "platform/gdi/Paint.h"
#include "platform/gdi/RasterOps.h"

namespace plat::gdi {

namespace {

constexpr int32_t kStockFontHeight = -13;
constexpr uint32_t kTaHorizontalMask = 6;
constexpr uint32_t kTaVerticalMask = 24;
constexpr char kBreakChar = ' ';

int32_t blanksIn(std::string_view text) { return int32_t(std::count(text.begin(), text.end(), kBreakChar)); }

// Pixels the n-th blank of a text gets from the justification.
int32_t justificationFor(const ContextState& s, int32_t n) {
    if (s.justifyBreaks <= 0 || s.justifyExtra == 0) return 0;
    int32_t share = s.justifyExtra / s.justifyBreaks;
    return share + (n < s.justifyExtra % s.justifyBreaks ? 1 : 0);
}

int32_t plainWidth(const Font& font, std::string_view text) {
    int32_t w = 0;
    for (char c : text) w += font.advance(uint8_t(c));
    return w;
}

int32_t justifiedWidth(const ContextState& s, const Font& font, std::string_view text) {
    int32_t w = plainWidth(font, text);
    for (int32_t n = 0; n < blanksIn(text) && n < s.justifyBreaks; ++n) w += justificationFor(s, n);
    return w;
}

struct GlyphSpans {
    std::map<int32_t, std::vector<Span>> rows;

    void add(const Glyph& g, int32_t originX, int32_t originY) {
        for (int32_t y = 0; y < g.rows; ++y) {
            int32_t x = 0;
            while (x < g.width) {
                if (!g.bit(x, y)) {
                    ++x;
                    continue;
                }
                int32_t start = x;
                while (x < g.width && g.bit(x, y)) ++x;
                rows[originY - g.top + y].push_back({originX + g.left + start, originX + g.left + x});
            }
        }
    }
    Region region() const {
        if (rows.empty()) return {};
        RowSpans spans{rows.begin()->first, {}};
        spans.rows.resize(size_t(rows.rbegin()->first - spans.top + 1));
        for (const auto& [y, row] : rows) spans.rows[size_t(y - spans.top)] = row;
        return Region::fromRows(spans);
    }
};

// Draws one run of text with its baseline start at a device point; returns the advance.
int32_t drawRun(DeviceContext& dc, Point baseline, std::string_view text, bool justify) {
    const ContextState& s = dc.state();
    const Font& font = contextFont(dc);
    const TextMetrics& m = font.metrics();
    int32_t width = justify ? justifiedWidth(s, font, text) : plainWidth(font, text);
    if (!font.rotated() && s.backgroundMode == BackgroundMode::Opaque)
        paintRop2(dc, Region(Rect{baseline.x, baseline.y - m.ascent, baseline.x + width, baseline.y + m.descent}),
                  solidPixels(dc.resolve(s.backgroundColor)), kR2CopyPen);
    double angle = font.request().escapement / 10.0 * M_PI / 180.0;
    double dirX = std::cos(angle), dirY = -std::sin(angle);
    GlyphSpans spans;
    int32_t along = 0;  // pixels from the run's start along the baseline
    int32_t blank = 0;
    for (char c : text) {
        const Glyph& g = font.glyph(uint8_t(c));
        auto ox = int32_t(std::lround(baseline.x + along * dirX));
        auto oy = int32_t(std::lround(baseline.y + along * dirY));
        spans.add(g, ox, oy);
        along += font.advance(uint8_t(c));
        if (justify && c == kBreakChar && blank < s.justifyBreaks) along += justificationFor(s, blank++);
    }
    Region ink = spans.region();
    if (m.underlined && !font.rotated())
        ink = Region::combine(ink,
                              Region(Rect{baseline.x, baseline.y + font.underlineOffset(), baseline.x + width,
                                          baseline.y + font.underlineOffset() + font.underlineThickness()}),
                              CombineOp::Or);
    paintRop2(dc, ink, solidPixels(dc.resolve(s.textColor)), kR2CopyPen);
    return width;
}

std::string withoutPrefixes(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        else if (text[i] == '&') continue;
        out += text[i];
    }
    return out;
}

std::vector<std::string> splitLines(const std::string& text, uint32_t format, const Font& font, int32_t boxWidth) {
    std::vector<std::string> paragraphs;
    if (format & kDtSingleLine) {
        std::string one;
        for (char c : text)
            if (c != '\r' && c != '\n') one += c;
        return {one};
    }
    std::string current;
    for (char c : text) {
        if (c == '\r') continue;
        if (c == '\n') {
            paragraphs.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    paragraphs.push_back(current);
    if (!(format & kDtWordBreak)) return paragraphs;
    std::vector<std::string> lines;
    for (const std::string& p : paragraphs) {
        std::string line;
        size_t i = 0;
        bool any = false;
        while (i < p.size()) {
            size_t wordEnd = p.find(kBreakChar, i);
            if (wordEnd == std::string::npos) wordEnd = p.size();
            std::string word = p.substr(i, wordEnd - i);
            std::string candidate = line.empty() ? word : line + kBreakChar + word;
            if (!line.empty() && plainWidth(font, candidate) > boxWidth) {
                lines.push_back(line);
                line = word;
            } else {
                line = candidate;
            }
            any = true;
            i = wordEnd + 1;
        }
        if (any || p.empty()) lines.push_back(line);
    }
    return lines;
}

}  // namespace

std::shared_ptr<const Font> stockFont() {
    static std::shared_ptr<const Font> font = [] {
        FontRequest r;
        r.height = kStockFontHeight;
        r.faceName = "DEFAULT";
        return Font::create(r);
    }();
    return font;
}

const Font& contextFont(const DeviceContext& dc) { return dc.state().font ? *dc.state().font : *stockFont(); }

std::shared_ptr<const Font> selectFont(DeviceContext& dc, std::shared_ptr<const Font> font) {
    std::shared_ptr<const Font> previous = std::move(dc.state().font);
    dc.state().font = std::move(font);
    return previous ? previous : stockFont();
}

void setTextJustification(DeviceContext& dc, int32_t extra, int32_t breaks) {
    dc.state().justifyExtra = breaks > 0 ? extra : 0;
    dc.state().justifyBreaks = std::max(0, breaks);
}

TextSize textExtent(const DeviceContext& dc, std::string_view text) {
    const Font& font = contextFont(dc);
    return {justifiedWidth(dc.state(), font, text), font.metrics().height};
}

bool textOut(DeviceContext& dc, Point at, std::string_view text) {
    ContextState& s = dc.state();
    const Font& font = contextFont(dc);
    const TextMetrics& m = font.metrics();
    bool updateCp = (s.textAlign & kTaUpdateCp) != 0;
    Point start = dc.toDevice(updateCp ? s.position : at);
    int32_t width = justifiedWidth(s, font, text);
    uint32_t horizontal = s.textAlign & kTaHorizontalMask;
    uint32_t vertical = s.textAlign & kTaVerticalMask;
    int32_t back = horizontal == kTaRight ? width : horizontal == kTaCenter ? width / 2 : 0;
    int32_t down = vertical == kTaBaseline ? 0 : vertical == kTaBottom ? -m.descent : m.ascent;
    double angle = font.request().escapement / 10.0 * M_PI / 180.0;
    double c = std::cos(angle), sn = std::sin(angle);
    Point baseline{int32_t(std::lround(start.x - back * c + down * sn)), int32_t(std::lround(start.y + back * sn + down * c))};
    drawRun(dc, baseline, text, true);
    if (updateCp) {
        int32_t move = horizontal == kTaRight ? -width : horizontal == kTaCenter ? 0 : width;
        Point end{int32_t(std::lround(start.x + move * c)), int32_t(std::lround(start.y - move * sn))};
        s.position = dc.toLogical(end);
    }
    return true;
}

int32_t drawText(DeviceContext& dc, std::string_view text, Rect& box, uint32_t format) {
    const Font& font = contextFont(dc);
    const TextMetrics& m = font.metrics();
    std::string shown = (format & kDtNoPrefix) ? std::string(text) : withoutPrefixes(text);
    Rect device = dc.toDevice(box);
    std::vector<std::string> lines = splitLines(shown, format, font, device.width());
    int32_t lineHeight = m.height + ((format & kDtExternalLeading) ? m.externalLeading : 0);
    int32_t total = lineHeight * int32_t(lines.size());
    if (format & kDtCalcRect) {
        int32_t widest = 0;
        for (const std::string& l : lines) widest = std::max(widest, plainWidth(font, l));
        Point corner = dc.toLogical(Point{device.left + widest, device.top + total});
        box.right = corner.x;
        box.bottom = corner.y;
        return total;
    }
    int32_t top = device.top;
    if (format & kDtSingleLine) {
        if (format & kDtBottom) top = device.bottom - lineHeight;
        else if (format & kDtVCenter) top = device.top + (device.height() - lineHeight) / 2;
    }
    dc.save();
    if (!(format & kDtNoClip)) dc.intersectClipRect(box);
    for (const std::string& line : lines) {
        int32_t w = plainWidth(font, line);
        int32_t x = (format & kDtRight) ? device.right - w : (format & kDtCenter) ? device.left + (device.width() - w) / 2 : device.left;
        drawRun(dc, Point{x, top + m.ascent}, line, false);
        top += lineHeight;
    }
    dc.restore(-1);
    return total;
}

}  // namespace plat::gdi
