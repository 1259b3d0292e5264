#pragma once
// How wide a character is in a style and how high its font's lines are. The editors lay text
// out through this, so that tests can lay out with metrics of their own.
#include "text/style/TextStyle.h"

struct CharMetrics {
    u16 width;    // advance; 0 for a CR
    u16 leading;  // external leading
    u16 descent;
    u16 ascent;
};

class CharMeasurer {
public:
    virtual ~CharMeasurer() = default;
    virtual CharMetrics Measure(u8 c, const TextStyle& style) = 0;
    // Selects the style's font into the current port for drawing; returns the font it replaced.
    virtual GfxFont* Select(const TextStyle& style) = 0;
};
