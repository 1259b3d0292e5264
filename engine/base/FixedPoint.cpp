#include "engine/base/FixedPoint.h"

namespace {

u64 magnitude(Fixed value) { return value < 0 ? u64(-i64(value)) : u64(value); }

}  // namespace

Fixed fixedMul(Fixed a, Fixed b) {
    i64 product = i64(a) * i64(b);
    i64 top = product >> 47;  // bits 47-63 must agree for the result to fit
    if (top != 0 && top != -1) return kFixedOverflow;
    return Fixed(product >> 16);
}

Fixed fixedDiv(Fixed a, Fixed b) {
    if (b == 0) return kFixedOverflow;
    u64 dividend = magnitude(a);
    u64 divisor = magnitude(b);
    u64 quotient = dividend / divisor;
    u64 remainder = dividend % divisor;
    if (quotient >= 0x10000) return kFixedOverflow;
    u64 fraction = ((remainder << 32) / divisor) >> 16;
    u64 result = (quotient << 16) | fraction;
    // Integer parts of 32768 and more do not fit the signed range either; they overflow
    // too rather than wrap to a value of the wrong sign.
    if (result >= 0x80000000u) return kFixedOverflow;
    bool negative = (a < 0) != (b < 0);
    return negative ? -Fixed(result) : Fixed(result);
}
