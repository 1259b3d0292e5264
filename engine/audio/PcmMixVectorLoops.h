#pragma once
// The mixer kernels' vector loops, written once over a set of lane operations `O` (one 128-,
// 256- or 512-bit register of 16-bit lanes) and included by each instruction-set file inside its
// own target region, so that every instantiation carries that file's instruction set. The
// loops handle the unit step with the kernels' natural strides, whole registers at a time;
// every other call, and the samples left over after the last whole register, go to the
// portable kernel, which gives the same samples by construction.
//
// Gains are applied as the portable kernels apply them: the floored product of the sample and
// the 16.16 gain, held to 16 bits (and for 8-bit samples to 8 bits, which is what the gain
// table holds). Include the standard headers before the target region, never inside it.

namespace pcm_mix_vector {

// The gain split for lane arithmetic: product = sample x whole + (sample x fraction) >> 16.
template <class O>
struct Scale {
    enum Mode : u8 { kUnity, kFraction, kGeneral };
    explicit Scale(Fixed gain)
        : mode(gain == kFixedOne ? kUnity : (gain >> 16) == 0 ? kFraction : kGeneral),
          whole(O::set16(i16(gain >> 16))),
          fraction(O::set16(i16(u16(gain & 0xFFFF)))),
          fractionTop((gain & 0x8000) != 0) {}

    // sample x gain / 65536 rounded down, saturated to 16 bits.
    typename O::V apply(typename O::V x) const {
        if (mode == kUnity) return x;
        // A fraction of 0x8000 or more reads as negative in a signed lane: its high product
        // then falls short by exactly the sample, added back (the floored product fits 16 bits).
        typename O::V part = O::mulhi16(x, fraction);
        if (fractionTop) part = O::add16(part, x);
        if (mode == kFraction) return part;
        const typename O::V low = O::mullo16(x, whole);
        const typename O::V high = O::mulhi16(x, whole);
        const typename O::V partSign = O::srai16(part, 15);
        const typename O::V sumLow = O::add32(O::unpacklo16(low, high), O::unpacklo16(part, partSign));
        const typename O::V sumHigh = O::add32(O::unpackhi16(low, high), O::unpackhi16(part, partSign));
        return O::packs32(sumLow, sumHigh);
    }

    Mode mode;
    typename O::V whole;
    typename O::V fraction;
    bool fractionTop;
};

// Unsigned 8-bit samples as signed 16-bit lanes (sample - 128), one register's lanes of bytes.
template <class O>
typename O::V loadUnsigned8(const u8* p) {
    return O::loadBytes(p, O::set8(i8(-128)));
}

// What the gain table holds for a register of 8-bit samples, as signed 16-bit lanes: the
// scaled sample held to 8 bits.
template <class O>
typename O::V scaled8(const Scale<O>& scale, const u8* p) {
    const typename O::V value = scale.apply(loadUnsigned8<O>(p));
    return scale.mode == Scale<O>::kUnity ? value : O::min16(O::max16(value, O::set16(-128)), O::set16(127));
}

template <class O>
typename O::V load16(const u8* p, bool swapped) {
    const typename O::V v = O::load(p);
    return swapped ? O::swapBytes16(v) : v;
}

// Runs `body(offset)` for every whole register of `perStep` samples; returns the samples done.
// Unrolled, so that the loop's own count and branch do not hold back the loads and stores.
template <class Body>
u32 wholeSteps(u32 n, u32 perStep, Body body) {
    u32 i = 0;
#pragma GCC unroll 4
    for (; i + perStep <= n; i += perStep) body(i);
    return i;
}

template <class O>
void mix8(u8* d, const u8* s, u32 n, Fixed gain, bool identity, const u8* table) {
    const typename O::V bias = O::set8(i8(-128));
    if (identity) {
        // Unity gain: a saturating add of the samples taken as signed bytes.
        const u32 done = wholeSteps(n, 2 * O::kLanes, [&](u32 i) {
            const typename O::V sum = O::adds8(O::xor_(O::load(d + i), bias), O::xor_(O::load(s + i), bias));
            O::store(d + i, O::xor_(sum, bias));
        });
        if (done < n) pcmMixKernelMix8(d + done, s + done, n - done, 1, 1, kFixedOne, gain, 1, table);
        return;
    }
    const Scale<O> scale(gain);
    const typename O::V low = O::set16(-128), high = O::set16(127);
    const u32 done = wholeSteps(n, 2 * O::kLanes, [&](u32 i) {
        typename O::V out[2], in[2];
        O::loadBytePair(d + i, bias, &out[0], &out[1]);
        O::loadBytePair(s + i, bias, &in[0], &in[1]);
        for (typename O::V& v : in) v = O::min16(O::max16(scale.apply(v), low), high);
        O::storeBytePair(d + i, O::add16(out[0], in[0]), O::add16(out[1], in[1]), bias);
    });
    if (done < n) pcmMixKernelMix8(d + done, s + done, n - done, 1, 1, kFixedOne, gain, 0, table);
}

template <class O>
void mix8To16(u8* d, const u8* s, u32 n, Fixed gain, u16 identity, const u8* table) {
    const Scale<O> scale(gain);
    const typename O::V lowBytes = O::set16(0x00FF);
    const typename O::V lowest = O::set16(-128);
    const typename O::V highest = O::set16(127);
    const u32 done = wholeSteps(n, O::kLanes, [&](u32 i) {
        const typename O::V out = O::load(d + 2 * size_t(i));
        typename O::V sum = O::add16(O::srai16(out, 8), scaled8(scale, s + i));
        sum = O::min16(O::max16(sum, lowest), highest);
        O::store(d + 2 * size_t(i), O::or_(O::slli16(sum, 8), O::and_(out, lowBytes)));
    });
    if (done < n)
        pcmMixKernelMix8To16(d + 2 * size_t(done), s + done, n - done, 2, 1, kFixedOne, gain, identity, table);
}

template <class O>
void mix16(u8* d, const u8* s, u32 n, Fixed gain, bool swapped) {
    const Scale<O> scale(gain);
    const u32 done = wholeSteps(n, O::kLanes, [&](u32 i) {
        const size_t at = 2 * size_t(i);
        O::store(d + at, O::adds16(O::load(d + at), scale.apply(load16<O>(s + at, swapped))));
    });
    if (done == n) return;
    const size_t at = 2 * size_t(done);
    (swapped ? pcmMixKernelMix16Swapped : pcmMixKernelMix16Native)(d + at, s + at, n - done, 2, 2, kFixedOne, gain,
                                                                    0, nullptr);
}

template <class O>
void copy8(u8* d, const u8* s, u32 n, Fixed gain, const u8* table) {
    const Scale<O> scale(gain);
    const typename O::V bias = O::set8(i8(-128));
    // The pack that narrows the lanes holds them to 8 bits, as the table does.
    const u32 done = wholeSteps(n, 2 * O::kLanes, [&](u32 i) {
        typename O::V in[2];
        O::loadBytePair(s + i, bias, &in[0], &in[1]);
        O::storeBytePair(d + i, scale.apply(in[0]), scale.apply(in[1]), bias);
    });
    if (done < n) pcmMixKernelCopy8(d + done, s + done, n - done, 1, 1, kFixedOne, gain, 0, table);
}

// Bytes through their 256-byte table, for lane operations that offer a table look-up.
template <class O>
void lookup8(u8* d, const u8* s, u32 n, const u8* table) {
    const typename O::ByteTable bytes = O::loadTable(table);
    const u32 done = wholeSteps(n, 2 * O::kLanes, [&](u32 i) { O::store(d + i, O::lookup(bytes, O::load(s + i))); });
    if (done < n) pcmMixKernelCopy8(d + done, s + done, n - done, 1, 1, kFixedOne, kFixedOne, 0, table);
}

template <class O>
void copy8To16(u8* d, const u8* s, u32 n, Fixed gain, u16 identity, const u8* table) {
    const Scale<O> scale(gain);
    const u32 done = wholeSteps(n, O::kLanes, [&](u32 i) {
        O::store(d + 2 * size_t(i), O::slli16(scaled8(scale, s + i), 8));
    });
    if (done < n)
        pcmMixKernelCopy8To16(d + 2 * size_t(done), s + done, n - done, 2, 1, kFixedOne, gain, identity, table);
}

template <class O>
void copy16(u8* d, const u8* s, u32 n, Fixed gain, bool swapped) {
    const Scale<O> scale(gain);
    const u32 done = wholeSteps(n, O::kLanes, [&](u32 i) {
        const size_t at = 2 * size_t(i);
        O::store(d + at, scale.apply(load16<O>(s + at, swapped)));
    });
    if (done == n) return;
    const size_t at = 2 * size_t(done);
    (swapped ? pcmMixKernelCopy16Swapped : pcmMixKernelCopy16Native)(d + at, s + at, n - done, 2, 2, kFixedOne, gain,
                                                                      0, nullptr);
}

// The kernel slots over the loops above: the unit step with natural strides goes to a loop
// (8-bit samples only when their table is the gain's own, or the identity), the rest to the
// portable kernels.
template <class O>
struct Kernels {
    // The gain the loops apply for an 8-bit table, or false when the table is neither the
    // identity nor the one the gain makes.
    static bool tableGain(Fixed gain, u16 identity, const u8* table, Fixed* applied) {
        *applied = identity ? kFixedOne : gain;
        return identity || pcmMixTableFollowsGain(table, gain);
    }

    static void mix8(u8* d, const u8* s, u32 n, u32 ds, u32 ss, Fixed step, Fixed gain, u16 identity,
                     const u8* table) {
        Fixed applied;
        if (step != kFixedOne || ds != 1 || ss != 1 || !tableGain(gain, identity, table, &applied))
            return pcmMixKernelMix8(d, s, n, ds, ss, step, gain, identity, table);
        pcm_mix_vector::mix8<O>(d, s, n, applied, identity != 0, table);
    }
    static void mix8To16(u8* d, const u8* s, u32 n, u32 ds, u32 ss, Fixed step, Fixed gain, u16 identity,
                         const u8* table) {
        Fixed applied;
        if (step != kFixedOne || ds != 2 || ss != 1 || !tableGain(gain, identity, table, &applied))
            return pcmMixKernelMix8To16(d, s, n, ds, ss, step, gain, identity, table);
        pcm_mix_vector::mix8To16<O>(d, s, n, applied, identity, table);
    }
    static void copy8(u8* d, const u8* s, u32 n, u32 ds, u32 ss, Fixed step, Fixed gain, u16 identity,
                      const u8* table) {
        if (identity || step != kFixedOne || ds != 1 || ss != 1)
            return pcmMixKernelCopy8(d, s, n, ds, ss, step, gain, identity, table);
        // Where the lanes can look bytes up, any table is copied through as it stands.
        if constexpr (requires { typename O::ByteTable; }) {
            pcm_mix_vector::lookup8<O>(d, s, n, table);
        } else {
            Fixed applied;
            if (!tableGain(gain, identity, table, &applied))
                return pcmMixKernelCopy8(d, s, n, ds, ss, step, gain, identity, table);
            pcm_mix_vector::copy8<O>(d, s, n, applied, table);
        }
    }
    static void copy8To16(u8* d, const u8* s, u32 n, u32 ds, u32 ss, Fixed step, Fixed gain, u16 identity,
                          const u8* table) {
        Fixed applied;
        if (step != kFixedOne || ds != 2 || ss != 1 || !tableGain(gain, identity, table, &applied))
            return pcmMixKernelCopy8To16(d, s, n, ds, ss, step, gain, identity, table);
        pcm_mix_vector::copy8To16<O>(d, s, n, applied, identity, table);
    }
    template <bool Swapped>
    static void mix16(u8* d, const u8* s, u32 n, u32 ds, u32 ss, Fixed step, Fixed gain, u16 identity,
                      const u8* table) {
        if (step != kFixedOne || ds != 2 || ss != 2)
            return (Swapped ? pcmMixKernelMix16Swapped : pcmMixKernelMix16Native)(d, s, n, ds, ss, step, gain,
                                                                                  identity, table);
        pcm_mix_vector::mix16<O>(d, s, n, gain, Swapped);
    }
    template <bool Swapped>
    static void copy16(u8* d, const u8* s, u32 n, u32 ds, u32 ss, Fixed step, Fixed gain, u16 identity,
                       const u8* table) {
        if (step != kFixedOne || ds != 2 || ss != 2 || (!Swapped && gain == kFixedOne))
            return (Swapped ? pcmMixKernelCopy16Swapped : pcmMixKernelCopy16Native)(d, s, n, ds, ss, step, gain,
                                                                                    identity, table);
        pcm_mix_vector::copy16<O>(d, s, n, gain, Swapped);
    }

    static const PcmMixKernelTable& table() {
        static const PcmMixKernelTable kernels{
            {mix8, mix8To16, mix16<true>, mix16<false>, copy8, copy8To16, copy16<true>, copy16<false>},
            pcmMixKernelFillBytes,
            pcmMixKernelFillWords};
        return kernels;
    }
};

}  // namespace pcm_mix_vector
