#include "sound/import/ExtendedRate.h"

#include "engine/base/ByteOrder.h"

namespace {

constexpr int kBias = 16383;

}  // namespace

u32 readExtendedRate(const u8* bytes) {
    const u16 signExponent = readBE16(bytes);
    const u64 mantissa = (u64(readBE32(bytes + 2)) << 32) | readBE32(bytes + 6);
    if ((signExponent & 0x8000) || mantissa == 0 || !(mantissa >> 63)) return 0;
    const int shift = int(signExponent & 0x7FFF) - kBias;  // value = mantissa x 2^(shift - 63)
    if (shift < -1 || shift > 31) return 0;
    // Round half up: take one bit more than the whole part, then drop it.
    const u64 twice = mantissa >> (62 - shift);
    const u64 rounded = (twice + 1) >> 1;
    return rounded > 0xFFFFFFFFull ? 0 : u32(rounded);
}

std::array<u8, 10> writeExtendedRate(u32 rate) {
    std::array<u8, 10> out{};
    if (rate == 0) return out;
    int top = 31;
    while (!(rate >> top)) --top;
    writeBE16(out.data(), u16(kBias + top));
    const u64 mantissa = u64(rate) << (63 - top);
    writeBE32(out.data() + 2, u32(mantissa >> 32));
    writeBE32(out.data() + 6, u32(mantissa));
    return out;
}
