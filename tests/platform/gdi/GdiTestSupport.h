#pragma once
// Small fixtures for the drawing-layer tests: surfaces with contexts, and pixel dumps.
#include <memory>
#include <string>

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Shapes.h"

namespace gdi_test {

using namespace plat::gdi;

struct Canvas {
    std::unique_ptr<Surface> surface;
    std::unique_ptr<DeviceContext> dc;
};

inline Canvas makeCanvas(int32_t w, int32_t h, int bits, RowOrder order = RowOrder::BottomUp,
                         std::vector<Rgb> table = {}) {
    Canvas c;
    c.surface = Surface::create(w, h, bits, order, std::move(table));
    c.dc = DeviceContext::createMemory();
    c.dc->selectSurface(c.surface.get());
    return c;
}

// A grey ramp table, entry i = (i, i, i), so that indices and colours are easy to tell apart.
inline std::vector<Rgb> greyTable(int entries) {
    std::vector<Rgb> t;
    for (int i = 0; i < entries; ++i) t.push_back({uint8_t(i), uint8_t(i), uint8_t(i)});
    return t;
}

// Rows of '#' (value != background) and '.', top to bottom.
inline std::string dump(const Surface& s, uint32_t background = 0) {
    std::string out;
    for (int32_t y = 0; y < s.height(); ++y) {
        for (int32_t x = 0; x < s.width(); ++x) out += s.pixel(x, y) == background ? '.' : '#';
        out += '\n';
    }
    return out;
}

inline size_t countNot(const Surface& s, uint32_t value) {
    size_t n = 0;
    for (int32_t y = 0; y < s.height(); ++y)
        for (int32_t x = 0; x < s.width(); ++x) n += s.pixel(x, y) != value;
    return n;
}

}  // namespace gdi_test
