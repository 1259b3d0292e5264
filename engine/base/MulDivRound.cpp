#include "engine/base/MulDivRound.h"

i32 MulDivRound(i16 a, i16 b, i16 c) {
    if (c == 0) return 0;
    return (i32(a) * i32(b) + (i32(c) >> 1)) / i32(c);
}
