#include "tools/wacky/GlSolids.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

#include "engine/gfx/gl/GLBitmapRenderer.h"
#include "platform/gl/Gl.h"
#include "tools/brushes/BrushPaint.h"

namespace gl = plat::gl;

namespace {

// The key of the unit ball's display list in every renderer.
const int kBallKey = 0;
constexpr i32 kBallSlices = 20, kBallStacks = 14;
constexpr i32 kRodSlices = 12;
// Bands across the tube's visible half.
constexpr i32 kTubeBands = 8;
constexpr double kDegrees = 180 / std::numbers::pi;

u32 ballList(GLBitmapRenderer& renderer) {
    if (GlCompiled* kept = renderer.Compiled(&kBallKey); kept && !kept->lists.empty()) return kept->lists.front();
    const u32 list = gl::genLists(1);
    if (list == 0) return 0;
    gl::newList(list);
    gl::sphere(1, kBallSlices, kBallStacks);
    gl::endList();
    auto compiled = std::make_unique<GlCompiled>();
    compiled->lists.push_back(list);
    renderer.Keep(&kBallKey, std::move(compiled));
    return list;
}

}  // namespace

void glBall(GlDab& dab, const GlPoint& c, float radius, u16 pixel) {
    const u32 list = ballList(dab.Renderer());
    if (list == 0) return;
    GlDab::Colour(pixel);
    gl::pushMatrix();
    gl::translated(c.x, c.y, c.z);
    gl::scaled(radius, radius, radius);
    gl::callList(list);
    gl::popMatrix();
}

void glRod(const GlPoint& from, const GlPoint& to, float fromRadius, float toRadius, u16 pixel) {
    const double dx = double(to.x) - from.x, dy = double(to.y) - from.y, dz = double(to.z) - from.z;
    const double length = std::sqrt(dx * dx + dy * dy + dz * dz);
    if (length == 0) return;
    GlDab::Colour(pixel);
    gl::pushMatrix();
    gl::translated(from.x, from.y, from.z);
    // The cylinder's axis (+z) turned onto the rod: first down into the picture's plane along
    // its heading, then up by its slope.
    gl::rotated(std::atan2(dy, dx) * kDegrees, 0, 0, 1);
    gl::rotated(90 - std::atan2(dz, std::hypot(dx, dy)) * kDegrees, 0, 1, 0);
    gl::cylinder(fromRadius, toRadius, length, kRodSlices, 1);
    gl::popMatrix();
}

void glTube(const std::vector<GlPoint>& path, float radius, u16 pixel) {
    if (path.size() < 2) return;
    // Across the path at each point, in the picture's plane: the turn of the heading there.
    std::vector<GlPoint> across(path.size());
    for (size_t i = 0; i < path.size(); ++i) {
        const GlPoint& a = path[i == 0 ? 0 : i - 1];
        const GlPoint& b = path[i + 1 == path.size() ? i : i + 1];
        const float dx = b.x - a.x, dy = b.y - a.y, length = std::hypot(dx, dy);
        across[i] = length > 0 ? GlPoint{-dy / length, dx / length, 0} : (i > 0 ? across[i - 1] : GlPoint{0, 1, 0});
    }
    GlDab::Colour(pixel);
    for (i32 band = 0; band < kTubeBands; ++band) {
        gl::begin(gl::kQuadStrip);
        for (size_t i = 0; i < path.size(); ++i)
            for (i32 edge = band; edge <= band + 1; ++edge) {
                const double angle = std::numbers::pi * (double(edge) / kTubeBands - 0.5);
                const double s = std::sin(angle), c = std::cos(angle);
                gl::normal3d(across[i].x * s, across[i].y * s, c);
                gl::vertex3d(path[i].x + across[i].x * radius * s, path[i].y + across[i].y * radius * s, path[i].z + radius * c);
            }
        gl::end();
    }
}

Rect16 boxAround(const std::vector<GlPoint>& points, float margin) {
    if (points.empty()) return Rect16{0, 0, 0, 0};
    float left = points.front().x, top = points.front().y, right = left, bottom = top;
    for (const GlPoint& p : points) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    const Point16 a = pointAt(std::floor(left - margin), std::floor(top - margin));
    const Point16 b = pointAt(std::ceil(right + margin) + 1, std::ceil(bottom + margin) + 1);
    return Rect16{a.h, a.v, b.h, b.v};
}
