#include "engine/audio/PcmMixKernels.h"

#include <algorithm>
#include <cstring>

#include "engine/base/ByteOrder.h"
#include "engine/audio/PcmMixVectorKernels.h"

namespace {

// Reads one source sample, then writes it as long as the accumulator holds whole output
// samples; the accumulator starts afresh at every call. A step of exactly one writes each
// source sample once, which a plain loop does alike; with the kernel's natural strides
// (NaturalDs, NaturalSs) that loop has constant strides the compiler can vectorise.
template <u32 NaturalDs, u32 NaturalSs, typename Prepare, typename Write>
inline void resample(u8* d, const u8* s, u32 n, u32 ds, u32 ss, Fixed step, Prepare prepare, Write write) {
    if (step == kFixedOne) {
        if (ds == NaturalDs && ss == NaturalSs) {
            for (u32 i = 0; i < n; ++i) write(d + size_t(i) * NaturalDs, prepare(s + size_t(i) * NaturalSs));
        } else {
            for (u32 i = 0; i < n; ++i) write(d + size_t(i) * ds, prepare(s + size_t(i) * ss));
        }
        return;
    }
    u32 accumulator = 0;
    for (;;) {
        const auto value = prepare(s);
        accumulator += u32(step);
        while (accumulator >= 0x10000u) {
            write(d, value);
            d += ds;
            accumulator -= 0x10000u;
            if (--n == 0) return;
        }
        s += ss;
    }
}

inline i8 saturate8(int sum) { return i8(std::clamp(sum, -128, 127)); }
inline i16 saturate16(int sum) { return i16(std::clamp(sum, -32768, 32767)); }

// Whole 16-bit loads and stores (the output is little-endian, as is the machine) let the
// compiler vectorise the unit-step loops.
inline i16 loadNative(const u8* s) {
    i16 v;
    std::memcpy(&v, s, 2);
    return v;
}
inline i16 loadSwapped(const u8* s) { return i16(ByteSwap16(u16(loadNative(s)))); }
inline void store16(u8* d, i16 v) { std::memcpy(d, &v, 2); }

inline void addTo16(u8* d, i16 v) { store16(d, saturate16(loadNative(d) + v)); }

}  // namespace

i16 pcmMixScale16(i16 sample, Fixed gain) {
    // sample x gain / 65536 rounded down, in two 32-bit products: the integer part of the gain
    // and its fraction (whose product is below 2^31, so its shift rounds down exactly).
    const i32 whole = i32(sample) * (gain >> 16);
    const i32 fraction = (i32(sample) * i32(gain & 0xFFFF)) >> 16;
    return saturate16(whole + fraction);
}

void pcmMixKernelMix8(u8* d, const u8* s, u32 n, u32 ds, u32 ss, Fixed step, Fixed, u16, const u8* table) {
    resample<1, 1>(
        d, s, n, ds, ss, step, [table](const u8* p) { return int(table[*p]) - 128; },
        [](u8* q, int a) { *q = u8(saturate8((int(*q) - 128) + a) + 128); });
}

void pcmMixKernelMix8To16(u8* d, const u8* s, u32 n, u32 ds, u32 ss, Fixed step, Fixed, u16, const u8* table) {
    resample<2, 1>(
        d, s, n, ds, ss, step, [table](const u8* p) { return int(table[*p]) - 128; },
        [](u8* q, int a) { q[1] = u8(saturate8(int(i8(q[1])) + a)); });
}

void pcmMixKernelMix16Swapped(u8* d, const u8* s, u32 n, u32 ds, u32 ss, Fixed step, Fixed gain, u16,
                              const u8*) {
    resample<2, 2>(
        d, s, n, ds, ss, step, [gain](const u8* p) { return pcmMixScale16(loadSwapped(p), gain); }, addTo16);
}

void pcmMixKernelMix16Native(u8* d, const u8* s, u32 n, u32 ds, u32 ss, Fixed step, Fixed gain, u16, const u8*) {
    resample<2, 2>(
        d, s, n, ds, ss, step, [gain](const u8* p) { return pcmMixScale16(loadNative(p), gain); }, addTo16);
}

void pcmMixKernelCopy8(u8* d, const u8* s, u32 n, u32 ds, u32 ss, Fixed step, Fixed, u16 identity,
                       const u8* table) {
    if (identity && ds == 1 && ss == 1 && step == kFixedOne) {
        std::memcpy(d, s, n);
        return;
    }
    resample<1, 1>(
        d, s, n, ds, ss, step, [table](const u8* p) { return table[*p]; }, [](u8* q, u8 t) { *q = t; });
}

void pcmMixKernelCopy8To16(u8* d, const u8* s, u32 n, u32 ds, u32 ss, Fixed step, Fixed, u16, const u8* table) {
    resample<2, 1>(
        d, s, n, ds, ss, step, [table](const u8* p) { return table[*p]; },
        [](u8* q, u8 t) { writeLE16(q, u16(u16(u8(t - 128)) << 8)); });
}

void pcmMixKernelCopy16Swapped(u8* d, const u8* s, u32 n, u32 ds, u32 ss, Fixed step, Fixed gain, u16,
                               const u8*) {
    if (ds == 2 && ss == 2 && gain == kFixedOne && step == kFixedOne) {
        for (u32 i = 0; i < n; ++i) {
            u16 sample;
            std::memcpy(&sample, s + 2 * size_t(i), 2);
            sample = ByteSwap16(sample);
            std::memcpy(d + 2 * size_t(i), &sample, 2);
        }
        return;
    }
    resample<2, 2>(
        d, s, n, ds, ss, step, [gain](const u8* p) { return pcmMixScale16(loadSwapped(p), gain); },
        store16);
}

void pcmMixKernelCopy16Native(u8* d, const u8* s, u32 n, u32 ds, u32 ss, Fixed step, Fixed gain, u16, const u8*) {
    if (ds == 2 && ss == 2 && gain == kFixedOne && step == kFixedOne) {
        std::memcpy(d, s, size_t(n) * 2);
        return;
    }
    resample<2, 2>(
        d, s, n, ds, ss, step, [gain](const u8* p) { return pcmMixScale16(loadNative(p), gain); },
        store16);
}

void pcmMixKernelFillBytes(u8* d, u32 value, u32 count) { std::memset(d, int(u8(value)), count); }

void pcmMixKernelFillWords(u8* d, u32 value, u32 count) {
    // Whole machine-order words, which are the output's little-endian ones, fill in wide stores.
    for (u32 i = 0; i < count; ++i) store16(d + 2 * size_t(i), i16(u16(value)));
}

const PcmMixKernelTable& pcmMixBuiltInKernels() { return pcmMixKernelsFor(pcmMixBestVectorLevel()); }

const PcmMixKernelTable& pcmMixPortableKernels() {
    static const PcmMixKernelTable table{
        {pcmMixKernelMix8, pcmMixKernelMix8To16, pcmMixKernelMix16Swapped, pcmMixKernelMix16Native,
         pcmMixKernelCopy8, pcmMixKernelCopy8To16, pcmMixKernelCopy16Swapped, pcmMixKernelCopy16Native},
        pcmMixKernelFillBytes,
        pcmMixKernelFillWords};
    return table;
}
