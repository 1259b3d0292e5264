#include "media/swf/PlacementMatrix.h"

#include <cmath>
#include <cstdint>

namespace swf {

namespace {

constexpr double kRadiansPerDegree = 0.017453292522222223;

// Scales follow a movie's frame size, which a file may make tiny or empty: a value past the
// field's range stops at its end rather than wrapping to the other sign; NaN gives 0.
i32 ToField(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    return i32(v);
}

}  // namespace

void PlacementMatrix(Matrix& out, const Rect& rect, i32 x, i32 y, double angle, double scaleX, double scaleY) {
    const i32 hx = (rect.xMax - rect.xMin) / 2, hy = (rect.yMax - rect.yMin) / 2;
    const double c = std::cos(angle * kRadiansPerDegree), s = std::sin(angle * kRadiansPerDegree);
    // The linear part rotate x scale; the content's centre goes to the origin first.
    const double a = c * scaleX, b = -s * scaleY, d = s * scaleX, e = c * scaleY;
    const double cx = -(double(rect.xMin) + hx), cy = -(double(rect.yMin) + hy);
    out.scaleX = ToField(a * 65536);
    out.rotateSkew1 = ToField(b * 65536);
    out.rotateSkew0 = ToField(d * 65536);
    out.scaleY = ToField(e * 65536);
    out.translateX = ToField(x + hx * std::fabs(scaleX) + a * cx + b * cy);
    out.translateY = ToField(y + hy * std::fabs(scaleY) + d * cx + e * cy);
}

}  // namespace swf
