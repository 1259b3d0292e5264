#include "tests/journeys/WidgetText.h"

#include <algorithm>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include "platform/charset/Conversion.h"
#include "platform/gdi/Surface.h"
#include "platform/widgets/WidgetPaint.h"

namespace {

plat::gdi::ColorRef colourRef(uint32_t rgb) { return plat::gdi::rgbColor(uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)); }

// The word as the widgets draw it, cropped to its ink.
Shot drawn(const std::string& text, uint32_t ink, uint32_t paper) {
    const std::string word = plat::utf8ToCp1252(text);
    const int32_t width = plat::widgets::labelWidth(word) + 2, height = plat::widgets::labelHeight() + 2;
    std::unique_ptr<plat::gdi::Surface> surface = plat::gdi::Surface::create(width, height, 24, plat::gdi::RowOrder::TopDown);
    if (!surface) return {};
    auto dc = plat::gdi::DeviceContext::createForSurface(plat::gdi::ContextKind::Memory, *surface);
    plat::widgets::fillBox(*dc, surface->bounds(), colourRef(paper));
    plat::widgets::drawLabel(*dc, {1, 1}, word, colourRef(ink));
    int32_t left = width, top = height, right = -1, bottom = -1;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            if ((surface->pixel(x, y) & 0xFFFFFF) != paper) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    if (right < 0) return {};
    std::vector<uint32_t> pixels;
    for (int32_t y = top; y <= bottom; ++y)
        for (int32_t x = left; x <= right; ++x) pixels.push_back(surface->pixel(x, y) & 0xFFFFFF);
    return Shot(right - left + 1, bottom - top + 1, std::move(pixels));
}

// The words looked for are few and looked for many times a second while a journey waits.
const Shot& drawnOnce(const std::string& text, uint32_t ink, uint32_t paper) {
    static std::map<std::tuple<std::string, uint32_t, uint32_t>, Shot> drawings;
    const auto key = std::make_tuple(text, ink, paper);
    auto found = drawings.find(key);
    if (found == drawings.end()) found = drawings.emplace(key, drawn(text, ink, paper)).first;
    return found->second;
}

bool matchesAt(const Shot& shot, const Shot& word, int32_t x, int32_t y) {
    for (int32_t row = 0; row < word.height(); ++row)
        for (int32_t column = 0; column < word.width(); ++column)
            if (shot.pixel(x + column, y + row) != word.pixel(column, row)) return false;
    return true;
}

}  // namespace

Area findWidgetText(const Shot& shot, const std::string& text, const Area& within, uint32_t ink, uint32_t paper) {
    const Shot& word = drawnOnce(text, ink, paper);
    if (word.empty()) return {};
    for (int32_t y = within.y; y + word.height() <= within.y + within.height; ++y)
        for (int32_t x = within.x; x + word.width() <= within.x + within.width; ++x)
            if (matchesAt(shot, word, x, y)) return {x, y, word.width(), word.height()};
    return {};
}
