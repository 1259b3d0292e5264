#pragma once
// Pens and brushes are plain values held by a device context. A pattern brush keeps its 8 × 8
// colours as colour references, resolved against the surface when it paints; the pattern is
// anchored to the surface's origin, rows top to bottom.
#include <array>
#include <cstdint>

#include "platform/gdi/Color.h"

namespace plat::gdi {

struct Brush {
    enum class Kind { Null, Solid, Pattern };
    Kind kind = Kind::Solid;
    ColorRef color = rgbColor(255, 255, 255);
    std::array<ColorRef, 64> pattern{};

    static Brush null() { return Brush{Kind::Null, 0, {}}; }
    static Brush solid(ColorRef color) { return Brush{Kind::Solid, color, {}}; }
    static Brush withPattern(const std::array<ColorRef, 64>& pattern) { return Brush{Kind::Pattern, 0, pattern}; }
};

struct Pen {
    enum class Style { Solid = 0, Null = 5, InsideFrame = 6 };
    Style style = Style::Solid;
    int32_t width = 1;
    ColorRef color = rgbColor(0, 0, 0);

    static Pen null() { return Pen{Style::Null, 1, 0}; }
};

}  // namespace plat::gdi
