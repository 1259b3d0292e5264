#include "tools/brushes/BrushPaint.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "tools/base/PaintShapes.h"

namespace {

i32 channelMix(i32 under, i32 paint, float amount) { return i32(std::lround(float(under) + float(paint - under) * amount)); }

}  // namespace

u16 mixPixel(u16 under, u16 paint, float amount) {
    amount = std::clamp(amount, 0.0f, 1.0f);
    return rgb555FromChannels(u32(channelMix(rgb555Red(under), rgb555Red(paint), amount)),
                              u32(channelMix(rgb555Green(under), rgb555Green(paint), amount)),
                              u32(channelMix(rgb555Blue(under), rgb555Blue(paint), amount)));
}

u16 shadePixel(u16 pixel, float amount) {
    return amount >= 0 ? mixPixel(pixel, kRgb555White, amount) : mixPixel(pixel, kRgb555Black, -amount);
}

u16 huePixel(float hue) {
    const float h = (hue - std::floor(hue)) * 6.0f;
    const float rise = h - std::floor(h);
    const u32 up = u32(std::lround(31 * rise)), down = u32(std::lround(31 * (1 - rise)));
    switch (i32(h) % 6) {
        case 0: return rgb555FromChannels(31, up, 0);
        case 1: return rgb555FromChannels(down, 31, 0);
        case 2: return rgb555FromChannels(0, 31, up);
        case 3: return rgb555FromChannels(0, down, 31);
        case 4: return rgb555FromChannels(up, 0, 31);
        default: return rgb555FromChannels(31, 0, down);
    }
}

u16 rainbowStripe(i32 index) {
    // Five-bit channels: red, orange, yellow, green, blue, indigo, violet.
    static const std::array<u16, 7> kStripes = {rgb555FromChannels(28, 2, 2), rgb555FromChannels(31, 16, 0),
                                                rgb555FromChannels(31, 27, 0), rgb555FromChannels(5, 22, 5),
                                                rgb555FromChannels(3, 11, 28), rgb555FromChannels(10, 3, 21),
                                                rgb555FromChannels(20, 7, 25)};
    return kStripes[size_t(std::clamp(index, 0, 6))];
}

u32 brushNoise(i32 x, i32 y, u32 seed) {
    u32 h = u32(x) * 73856093u ^ u32(y) * 19349663u ^ seed * 83492791u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    return h ^ (h >> 15);
}

void paintDisc(ToolCanvas& canvas, float cx, float cy, float radius, u16 pixel) {
    const PixelView& picture = canvas.Picture();
    const float r2 = radius * radius;
    const i32 y0 = std::max(0, i32(std::floor(cy - radius))), y1 = std::min<i32>(picture.height - 1, i32(std::ceil(cy + radius)));
    for (i32 y = y0; y <= y1; ++y) {
        const float dy = float(y) + 0.5f - cy, reach2 = r2 - dy * dy;
        if (reach2 < 0) continue;
        const float reach = std::sqrt(reach2);
        picture.FillSpan(y, i32(std::lround(cx - reach)), i32(std::lround(cx + reach)), pixel);
    }
    canvas.MarkChanged(discBounds(cx, cy, radius));
}

void paintSoftDisc(ToolCanvas& canvas, float cx, float cy, float radius, float amount, u16 pixel) {
    const PixelView& picture = canvas.Picture();
    const float r2 = radius * radius;
    // The paint's share in 256ths: integer mixing keeps the cloud cheap however large it is.
    const float scale = 256 * std::clamp(amount, 0.0f, 1.0f) / r2;
    const i32 pr = rgb555Red(pixel), pg = rgb555Green(pixel), pb = rgb555Blue(pixel);
    const i32 y0 = std::max(0, i32(std::floor(cy - radius))), y1 = std::min<i32>(picture.height - 1, i32(std::ceil(cy + radius)));
    for (i32 y = y0; y <= y1; ++y) {
        const float dy = float(y) + 0.5f - cy, reach2 = r2 - dy * dy;
        if (reach2 <= 0) continue;
        const float reach = std::sqrt(reach2);
        const i32 x0 = std::max(0, i32(std::floor(cx - reach))), x1 = std::min<i32>(picture.width - 1, i32(std::ceil(cx + reach)));
        u16* row = picture.Row(y);
        for (i32 x = x0; x <= x1; ++x) {
            const float dx = float(x) + 0.5f - cx, left = reach2 - dx * dx;
            if (left <= 0) continue;
            const i32 share = i32(left * scale + 0.5f);
            if (share == 0) continue;
            const u16 under = row[x];
            const i32 r = rgb555Red(under), g = rgb555Green(under), b = rgb555Blue(under);
            row[x] = rgb555FromChannels(u32(r + (((pr - r) * share + 128) >> 8)), u32(g + (((pg - g) * share + 128) >> 8)),
                                        u32(b + (((pb - b) * share + 128) >> 8)));
        }
    }
    canvas.MarkChanged(discBounds(cx, cy, radius));
}

void paintLine(ToolCanvas& canvas, Point16 a, Point16 b, i32 width, u16 pixel) {
    if (width <= 1) {
        for (Point16 p : linePixels(a, b)) canvas.Picture().Put(p.h, p.v, pixel);
        Rect16 bounds = pathBounds({a, b}, 1);
        canvas.MarkChanged(bounds);
        return;
    }
    const float radius = float(width) / 2;
    const std::vector<Point16> pixels = linePixels(a, b);
    // A disc at every pixel is slow for long lines; one every half radius leaves no gaps.
    const size_t step = size_t(std::max(1.0f, radius / 2));
    for (size_t i = 0; i < pixels.size(); i += step) paintDisc(canvas, float(pixels[i].h) + 0.5f, float(pixels[i].v) + 0.5f, radius, pixel);
    paintDisc(canvas, float(b.h) + 0.5f, float(b.v) + 0.5f, radius, pixel);
}

void paintPolyline(ToolCanvas& canvas, const std::vector<Point16>& path, bool closed, i32 width, u16 pixel) {
    for (size_t i = 1; i < path.size(); ++i) paintLine(canvas, path[i - 1], path[i], width, pixel);
    if (closed && path.size() > 2) paintLine(canvas, path.back(), path.front(), width, pixel);
}

void paintPolygon(ToolCanvas& canvas, const std::vector<Point16>& corners, u16 pixel) {
    if (corners.size() < 3) return;
    const PixelView& picture = canvas.Picture();
    polygonSpans(corners, picture.Bounds(), [&](i32 y, i32 x0, i32 x1) { picture.FillSpan(y, x0, x1, pixel); });
    canvas.MarkChanged(pathBounds(corners, 1));
}

void paintRect(ToolCanvas& canvas, const Rect16& r, u16 pixel) {
    for (i32 y = std::max<i32>(r.top, 0); y < std::min<i32>(r.bottom, canvas.Picture().height); ++y)
        canvas.Picture().FillSpan(y, r.left, r.right, pixel);
    canvas.MarkChanged(r);
}

std::vector<Point16> regularPolygon(float cx, float cy, float radius, i32 sides, float angle) {
    std::vector<Point16> corners;
    for (i32 i = 0; i < sides; ++i) {
        const float a = angle + 2 * std::numbers::pi_v<float> * float(i) / float(sides);
        corners.push_back(pointAt(cx + radius * std::cos(a), cy + radius * std::sin(a)));
    }
    return corners;
}

Rect16 discBounds(float cx, float cy, float radius) {
    const Point16 low = pointAt(std::floor(cx - radius) - 1, std::floor(cy - radius) - 1);
    const Point16 high = pointAt(std::ceil(cx + radius) + 2, std::ceil(cy + radius) + 2);
    return Rect16{low.h, low.v, high.h, high.v};
}

Point16 pointAt(float x, float y) {
    auto coord = [](float v) { return i16(std::clamp<long>(std::lround(v), INT16_MIN, INT16_MAX)); };
    return Point16{coord(x), coord(y)};
}
