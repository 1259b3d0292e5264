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

enum class ScaleMode : u8 { kUnity, kFraction, kGeneral };

// The gain split for lane arithmetic: product = sample x whole + (sample x fraction) >> 16. The
// mode and the fraction's top bit are fixed when compiling (see withScale), so the loops that
// apply a scale carry no test of them.
template <class O, ScaleMode Mode, bool FractionTop>
struct Scale {
    static constexpr ScaleMode kMode = Mode;
    explicit Scale(Fixed gain) : whole(O::set16(i16(gain >> 16))), fraction(O::set16(i16(u16(gain & 0xFFFF)))) {}

    // sample x gain / 65536 rounded down, saturated to 16 bits.
    typename O::V apply(typename O::V x) const {
        if constexpr (Mode == ScaleMode::kUnity) {
            return x;
        } else {
            // A fraction of 0x8000 or more reads as negative in a signed lane: its high product
            // then falls short by exactly the sample, added back (the floored product fits 16 bits).
            typename O::V part = O::mulhi16(x, fraction);
            if constexpr (FractionTop) part = O::add16(part, x);
            if constexpr (Mode == ScaleMode::kFraction) {
                return part;
            } else {
                const typename O::V low = O::mullo16(x, whole);
                const typename O::V high = O::mulhi16(x, whole);
                const typename O::V partSign = O::srai16(part, 15);
                const typename O::V sumLow = O::add32(O::unpacklo16(low, high), O::unpacklo16(part, partSign));
                const typename O::V sumHigh = O::add32(O::unpackhi16(low, high), O::unpackhi16(part, partSign));
                return O::packs32(sumLow, sumHigh);
            }
        }
    }

    typename O::V whole;
    typename O::V fraction;
};

// Returns `body(scale)` for the Scale of `gain`. Inlined, so that the loops in `body` keep the
// caller's pointers in registers rather than reload them past every store.
template <class O, class Body>
[[gnu::always_inline]] inline auto withScale(Fixed gain, Body body) {
    if (gain == kFixedOne) return body(Scale<O, ScaleMode::kUnity, false>(gain));
    const bool top = (gain & 0x8000) != 0;
    if ((gain >> 16) == 0)
        return top ? body(Scale<O, ScaleMode::kFraction, true>(gain))
                   : body(Scale<O, ScaleMode::kFraction, false>(gain));
    return top ? body(Scale<O, ScaleMode::kGeneral, true>(gain)) : body(Scale<O, ScaleMode::kGeneral, false>(gain));
}

// Unsigned 8-bit samples as signed 16-bit lanes (sample - 128), one register's lanes of bytes.
template <class O>
typename O::V loadUnsigned8(const u8* p) {
    return O::loadBytes(p, O::set8(i8(-128)));
}

// What the gain table holds for a register of 8-bit samples, as signed 16-bit lanes: the
// scaled sample held to 8 bits.
template <class O, class S>
typename O::V scaled8(const S& scale, const u8* p) {
    const typename O::V value = scale.apply(loadUnsigned8<O>(p));
    if constexpr (S::kMode == ScaleMode::kUnity)
        return value;
    else
        return O::min16(O::max16(value, O::set16(-128)), O::set16(127));
}

// What the gain table holds for a register of 8-bit samples (signed), as signed bytes, for a
// gain below one. Such a gain keeps every scaled sample within 8 bits, so no lane is widened
// or narrowed: each sample sits in the high byte of its own 16-bit lane (sample x 256, which
// the lane holds), its scaled value there is (sample x gain) / 256 floored, and that value's
// high byte, floored by 256 once more, is (sample x gain) / 65536 floored, the table's value.
template <class O, class S>
typename O::V scaledFractionBytes(const S& scale, typename O::V signedBytes) {
    static_assert(S::kMode == ScaleMode::kFraction);
    const typename O::V highBytes = O::set16(i16(u16(0xFF00)));
    const typename O::V even = scale.apply(O::slli16(signedBytes, 8));
    const typename O::V odd = scale.apply(O::and_(signedBytes, highBytes));
    return O::or_(O::and_(odd, highBytes), O::srli16(even, 8));
}

template <class O, bool Swapped>
typename O::V load16(const u8* p) {
    const typename O::V v = O::load(p);
    if constexpr (Swapped)
        return O::swapBytes16(v);
    else
        return v;
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
    const u32 done = withScale<O>(gain, [&](auto scale) {
        if constexpr (decltype(scale)::kMode == ScaleMode::kFraction) {
            return wholeSteps(n, 2 * O::kLanes, [&](u32 i) {
                const typename O::V in = scaledFractionBytes<O>(scale, O::xor_(O::load(s + i), bias));
                O::store(d + i, O::xor_(O::adds8(O::xor_(O::load(d + i), bias), in), bias));
            });
        } else {
            const typename O::V low = O::set16(-128), high = O::set16(127);
            return wholeSteps(n, 2 * O::kLanes, [&](u32 i) {
                typename O::V out[2], in[2];
                O::loadBytePair(d + i, bias, &out[0], &out[1]);
                O::loadBytePair(s + i, bias, &in[0], &in[1]);
                for (typename O::V& v : in) v = O::min16(O::max16(scale.apply(v), low), high);
                O::storeBytePair(d + i, O::add16(out[0], in[0]), O::add16(out[1], in[1]), bias);
            });
        }
    });
    if (done < n) pcmMixKernelMix8(d + done, s + done, n - done, 1, 1, kFixedOne, gain, 0, table);
}

template <class O>
void mix8To16(u8* d, const u8* s, u32 n, Fixed gain, u16 identity, const u8* table) {
    const typename O::V lowBytes = O::set16(0x00FF);
    const typename O::V lowest = O::set16(-128);
    const typename O::V highest = O::set16(127);
    const u32 done = withScale<O>(gain, [&](auto scale) {
        return wholeSteps(n, O::kLanes, [&](u32 i) {
            const typename O::V out = O::load(d + 2 * size_t(i));
            typename O::V sum = O::add16(O::srai16(out, 8), scaled8<O>(scale, s + i));
            sum = O::min16(O::max16(sum, lowest), highest);
            O::store(d + 2 * size_t(i), O::or_(O::slli16(sum, 8), O::and_(out, lowBytes)));
        });
    });
    if (done < n)
        pcmMixKernelMix8To16(d + 2 * size_t(done), s + done, n - done, 2, 1, kFixedOne, gain, identity, table);
}

template <class O, bool Swapped>
void mix16(u8* d, const u8* s, u32 n, Fixed gain) {
    const u32 done = withScale<O>(gain, [&](auto scale) {
        return wholeSteps(n, O::kLanes, [&](u32 i) {
            const size_t at = 2 * size_t(i);
            O::store(d + at, O::adds16(O::load(d + at), scale.apply(load16<O, Swapped>(s + at))));
        });
    });
    if (done == n) return;
    const size_t at = 2 * size_t(done);
    (Swapped ? pcmMixKernelMix16Swapped : pcmMixKernelMix16Native)(d + at, s + at, n - done, 2, 2, kFixedOne, gain,
                                                                    0, nullptr);
}

template <class O>
void copy8(u8* d, const u8* s, u32 n, Fixed gain, const u8* table) {
    const typename O::V bias = O::set8(i8(-128));
    const u32 done = withScale<O>(gain, [&](auto scale) {
        if constexpr (decltype(scale)::kMode == ScaleMode::kFraction) {
            return wholeSteps(n, 2 * O::kLanes, [&](u32 i) {
                O::store(d + i, O::xor_(scaledFractionBytes<O>(scale, O::xor_(O::load(s + i), bias)), bias));
            });
        } else {
            // The pack that narrows the lanes holds them to 8 bits, as the table does.
            return wholeSteps(n, 2 * O::kLanes, [&](u32 i) {
                typename O::V in[2];
                O::loadBytePair(s + i, bias, &in[0], &in[1]);
                O::storeBytePair(d + i, scale.apply(in[0]), scale.apply(in[1]), bias);
            });
        }
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
    const u32 done = withScale<O>(gain, [&](auto scale) {
        return wholeSteps(n, O::kLanes, [&](u32 i) {
            O::store(d + 2 * size_t(i), O::slli16(scaled8<O>(scale, s + i), 8));
        });
    });
    if (done < n)
        pcmMixKernelCopy8To16(d + 2 * size_t(done), s + done, n - done, 2, 1, kFixedOne, gain, identity, table);
}

template <class O, bool Swapped>
void copy16(u8* d, const u8* s, u32 n, Fixed gain) {
    const u32 done = withScale<O>(gain, [&](auto scale) {
        return wholeSteps(n, O::kLanes, [&](u32 i) {
            const size_t at = 2 * size_t(i);
            O::store(d + at, scale.apply(load16<O, Swapped>(s + at)));
        });
    });
    if (done == n) return;
    const size_t at = 2 * size_t(done);
    (Swapped ? pcmMixKernelCopy16Swapped : pcmMixKernelCopy16Native)(d + at, s + at, n - done, 2, 2, kFixedOne, gain,
                                                                      0, nullptr);
}

// The kernel slots over the loops above: the unit step with natural strides goes to a loop
// (8-bit samples only when their table is the gain's own, or the identity, except copies on
// lanes that look bytes up, which take any table as it stands), the rest to the portable kernels.
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
        pcm_mix_vector::mix16<O, Swapped>(d, s, n, gain);
    }
    template <bool Swapped>
    static void copy16(u8* d, const u8* s, u32 n, u32 ds, u32 ss, Fixed step, Fixed gain, u16 identity,
                       const u8* table) {
        if (step != kFixedOne || ds != 2 || ss != 2 || (!Swapped && gain == kFixedOne))
            return (Swapped ? pcmMixKernelCopy16Swapped : pcmMixKernelCopy16Native)(d, s, n, ds, ss, step, gain,
                                                                                    identity, table);
        pcm_mix_vector::copy16<O, Swapped>(d, s, n, gain);
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
