#include "text/measure/MeasureStyledChar.h"

#include "engine/gfx/GfxDraw.h"
#include "text/style/StyledText.h"

namespace {

constexpr int kInfoDescent = 1;
constexpr int kInfoLeading = 2;
constexpr int kInfoAscent = 4;

}  // namespace

CharMetrics MeasureStyledChar(u8 c, const TextStyle& style) {
    CharMetrics metrics{};
    GfxFont* font = style.CreateFont();
    if (!font) return metrics;
    GfxFont* previous = gfxSetFont(font);
    GfxFontInfo info;
    if (gfxGetFontInfo(&info) == kErrNone) {
        metrics.leading = info.values[kInfoLeading];
        metrics.descent = info.values[kInfoDescent];
        metrics.ascent = info.values[kInfoAscent];
    }
    const char text = char(c);
    if (c != kCharCR) metrics.width = u16(gfxTextWidth(&text, 1));
    gfxSetFont(previous);
    gfxDisposeFont(font);
    return metrics;
}
