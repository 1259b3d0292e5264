#include "media/swf/PlacementMatrix.h"

#include <cmath>

namespace swf {

namespace {

constexpr double kRadiansPerDegree = 0.017453292522222223;

}  // namespace

void PlacementMatrix(Matrix& out, const Rect& rect, i32 x, i32 y, double angle, double scaleX, double scaleY) {
    const i32 hx = (rect.xMax - rect.xMin) / 2, hy = (rect.yMax - rect.yMin) / 2;
    const double c = std::cos(angle * kRadiansPerDegree), s = std::sin(angle * kRadiansPerDegree);
    // The linear part rotate x scale; the content's centre goes to the origin first.
    const double a = c * scaleX, b = -s * scaleY, d = s * scaleX, e = c * scaleY;
    const double cx = -(double(rect.xMin) + hx), cy = -(double(rect.yMin) + hy);
    out.scaleX = i32(a * 65536);
    out.rotateSkew1 = i32(b * 65536);
    out.rotateSkew0 = i32(d * 65536);
    out.scaleY = i32(e * 65536);
    out.translateX = i32(x + hx * std::fabs(scaleX) + a * cx + b * cy);
    out.translateY = i32(y + hy * std::fabs(scaleY) + d * cx + e * cy);
}

}  // namespace swf
