#include "spell/SplBytes.h"

#include <cassert>

u32 bytes2nu(const u8* bytes, int count) {
    assert(0 <= count && count <= 4);
    u32 value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[i];
    return value;
}
