#include "tools/brushes/DabShape.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/brushes/BrushPaint.h"

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

bool inDisc(float u, float v, float cu, float cv, float r) { return (u - cu) * (u - cu) + (v - cv) * (v - cv) <= r * r; }

DabPart body(bool in) { return in ? DabPart::Body : DabPart::None; }

// Points of a star: the rim swings between the inner and outer radius `points` times a turn.
bool inStar(float u, float v, i32 points, float inner) {
    const float r = std::hypot(u, v);
    const float turn = (std::atan2(v, u) + kPi / 2) * float(points) / (2 * kPi);
    const float t = turn - std::floor(turn);
    return r <= inner + (1 - inner) * std::abs(1 - 2 * t) * std::abs(1 - 2 * t);
}

}  // namespace

DabPart dabPartAt(DabShape shape, float u, float v) {
    const float r = std::hypot(u, v);
    switch (shape) {
        case DabShape::Circle: return body(r <= 1);
        case DabShape::Star: return body(inStar(u, v, 5, 0.38f));
        case DabShape::Heart: {
            const float x = u * 1.15f, y = -v * 1.15f + 0.25f;
            const float a = x * x + y * y - 1;
            return body(a * a * a - x * x * y * y * y <= 0);
        }
        case DabShape::Square: return body(std::max(std::abs(u), std::abs(v)) <= 0.85f);
        case DabShape::Diamond: return body(std::abs(u) + std::abs(v) <= 1);
        case DabShape::Triangle: return body(v <= 0.75f && v >= -0.95f + 1.85f * std::abs(u));
        case DabShape::Flower:
            if (r <= 0.3f) return DabPart::Accent;
            return body(r <= 0.45f + 0.55f * std::abs(std::cos(2.5f * std::atan2(v, u))));
        case DabShape::Ring: return body(r <= 1 && r >= 0.62f);
        case DabShape::Cross: return body(std::max(std::abs(u), std::abs(v)) <= 0.95f && std::min(std::abs(u), std::abs(v)) <= 0.3f);
        case DabShape::Moon: return body(r <= 1 && !inDisc(u, v, 0.45f, -0.25f, 0.82f));
        case DabShape::Dots:
            return body(inDisc(u, v, -0.5f, 0.4f, 0.4f) || inDisc(u, v, 0.5f, 0.4f, 0.4f) || inDisc(u, v, 0, -0.45f, 0.4f));
        case DabShape::Nib: {
            // A flat pen held at 45 degrees: thin one way, broad the other.
            const float along = (u + v) * std::numbers::sqrt2_v<float> / 2, across = (v - u) * std::numbers::sqrt2_v<float> / 2;
            return body(std::abs(along) <= 1 && std::abs(across) <= 0.16f);
        }
        case DabShape::Sparkle: {
            const float a = std::sqrt(std::abs(u)) + std::sqrt(std::abs(v));
            if (a <= 0.45f) return DabPart::Accent;
            return body(a <= 1);
        }
        case DabShape::Checker:
            if (std::max(std::abs(u), std::abs(v)) > 0.9f) return DabPart::None;
            return ((i32(std::floor((u + 1) * 2)) + i32(std::floor((v + 1) * 2))) & 1) ? DabPart::Accent : DabPart::Body;
        case DabShape::Drop:
            if (inDisc(u, v, 0, 0.35f, 0.62f)) return inDisc(u, v, -0.2f, 0.2f, 0.16f) ? DabPart::Accent : DabPart::Body;
            return body(v >= -1 && v < 0.35f && std::abs(u) <= 0.62f * (v + 1) / 1.35f);
        case DabShape::Leaf: {
            if (std::abs(u) > 1) return DabPart::None;
            const float half = 0.5f * (1 - u * u);
            if (std::abs(v) <= half && std::abs(v) <= 0.07f) return DabPart::Accent;
            return body(std::abs(v) <= half);
        }
    }
    return DabPart::None;
}

i32 lookSpacing(const DabLook& look, i16 size) { return std::max<i32>(1, i32(size) * look.spacingPercent / 100); }

void paintLookDab(ToolCanvas& canvas, const DabLook& look, const DabPlace& place, std::minstd_rand& random) {
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    u16 paint = canvas.PaintPixel();
    switch (look.colour) {
        case DabColour::Paint: break;
        case DabColour::Rainbow: paint = rainbowStripe(place.index % 7); break;
        case DabColour::Shades: paint = shadePixel(paint, unit(random) * 0.8f - 0.4f); break;
        case DabColour::Confetti: paint = huePixel(unit(random)); break;
    }
    const u16 accent = shadePixel(paint, look.shape == DabShape::Flower ? 0.75f : 0.5f);
    float angle = 0;
    switch (look.turn) {
        case DabTurn::None: break;
        case DabTurn::Heading: angle = place.heading; break;
        case DabTurn::Spin: angle = float(place.index) * 0.45f; break;
        case DabTurn::Random: angle = unit(random) * 2 * kPi; break;
    }
    const float radius = std::max(0.5f, place.diameter / 2);
    // A round dab needs no turning and no test per pixel: its rows are spans.
    if (look.shape == DabShape::Circle) {
        paintDisc(canvas, place.x, place.y, radius, paint);
        return;
    }
    const float c = std::cos(angle), s = std::sin(angle);
    const PixelView& picture = canvas.Picture();
    const i32 x0 = std::max(0, i32(std::floor(place.x - radius))), x1 = std::min<i32>(picture.width - 1, i32(std::ceil(place.x + radius)));
    const i32 y0 = std::max(0, i32(std::floor(place.y - radius))), y1 = std::min<i32>(picture.height - 1, i32(std::ceil(place.y + radius)));
    for (i32 y = y0; y <= y1; ++y) {
        u16* row = picture.Row(y);
        const float dy = (float(y) + 0.5f - place.y) / radius;
        for (i32 x = x0; x <= x1; ++x) {
            const float dx = (float(x) + 0.5f - place.x) / radius;
            // Turned back into the shape's own square.
            const DabPart part = dabPartAt(look.shape, dx * c + dy * s, dy * c - dx * s);
            if (part != DabPart::None) row[x] = part == DabPart::Body ? paint : accent;
        }
    }
    canvas.MarkChanged(discBounds(place.x, place.y, radius));
}
