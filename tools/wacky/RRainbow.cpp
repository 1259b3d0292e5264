#include "tools/wacky/RRainbow.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "platform/gl/Gl.h"
#include "tools/base/GlDab.h"
#include "tools/base/ToolNames.h"
#include "tools/brushes/BrushPaint.h"

namespace gl = plat::gl;

namespace {

// The stripes as texels, the last repeated to make a texture of eight.
constexpr i32 kTexels = 8;
// How far across the ribbon's sheen tilts its light at the edges.
constexpr double kRoll = 0.8;

std::array<u8, 3 * kTexels> stripeTexels() {
    std::array<u8, 3 * kTexels> texels{};
    for (i32 i = 0; i < kTexels; ++i) {
        const u16 stripe = rainbowStripe(std::min(i, 6));
        const u8 channels[3] = {rgb555Red(stripe), rgb555Green(stripe), rgb555Blue(stripe)};
        for (i32 c = 0; c < 3; ++c) texels[size_t(3 * i + c)] = u8((channels[c] << 3) | (channels[c] >> 2));
    }
    return texels;
}

}  // namespace

RRainbow::RRainbow() : RPathBrush(kToolIdRainbow) {}

i32 RRainbow::Spacing() const { return 1; }

i32 RRainbow::Width() const { return std::max<i32>(7, GetSize()); }

void RRainbow::LayDab(ToolCanvas& canvas, Point16 p) {
    const float acrossX = -std::sin(Heading()), acrossY = std::cos(Heading());
    const float half = float(Width()) / 2 + 1, cx = float(p.h) + 1, cy = float(p.v) + 1;
    const GlPoint left{cx - acrossX * half, cy - acrossY * half, float(GlDab::kMiddle)};
    const GlPoint right{cx + acrossX * half, cy + acrossY * half, float(GlDab::kMiddle)};
    if (DabIndex() == 0) {
        // The ribbon starts a pixel behind its first point.
        const float backX = std::cos(Heading()), backY = std::sin(Heading());
        lastLeft_ = GlPoint{left.x - backX, left.y - backY, left.z};
        lastRight_ = GlPoint{right.x - backX, right.y - backY, right.z};
    }
    const GlPoint fromLeft = lastLeft_, fromRight = lastRight_;
    lastLeft_ = left;
    lastRight_ = right;
    if (OffPicture(canvas, p, Width())) return;
    GlDab dab(canvas, boxAround({fromLeft, fromRight, left, right}, 2));
    if (!dab.Open()) {
        Flat(canvas, p);
        return;
    }
    const std::array<u8, 3 * kTexels> texels = stripeTexels();
    const u32 texture = gl::genTexture();
    gl::loadTexture1D(texture, kTexels, texels.data());
    gl::modulateTexture();
    GlDab::Colour(kRgb555White);
    gl::begin(gl::kQuadStrip);
    for (i32 j = 0; j <= kColumns; ++j) {
        const double f = double(j) / kColumns, tilt = kRoll * (2 * f - 1);
        gl::normal3d(acrossX * tilt, acrossY * tilt, std::sqrt(1 - tilt * tilt));
        gl::texCoord1d(f * 7 / kTexels);
        gl::vertex3d(fromLeft.x + (fromRight.x - fromLeft.x) * f, fromLeft.y + (fromRight.y - fromLeft.y) * f, fromLeft.z);
        gl::vertex3d(left.x + (right.x - left.x) * f, left.y + (right.y - left.y) * f, left.z);
    }
    gl::end();
    gl::disableTexturing();
    gl::deleteTexture(texture);
}

void RRainbow::Flat(ToolCanvas& canvas, Point16 p) const {
    const i32 width = Width();
    const float acrossX = -std::sin(Heading()), acrossY = std::cos(Heading());
    for (i32 i = 0; i < width; ++i) {
        const float off = float(i) - float(width) / 2;
        const Point16 at = pointAt(float(p.h) + acrossX * off, float(p.v) + acrossY * off);
        paintRect(canvas, Rect16{at.h, at.v, i16(at.h + 2), i16(at.v + 2)}, rainbowStripe(i * 7 / width));
    }
}
