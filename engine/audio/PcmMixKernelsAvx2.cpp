// The mixer kernels on 256-bit AVX2 registers, sixteen 16-bit lanes each. Everything below
// the target region's start is compiled for AVX2 and runs only once the processor has been
// asked (pcmMixBestVectorLevel); the standard headers stay above it.
#include <immintrin.h>

#include "engine/audio/PcmMixKernels.h"
#include "engine/audio/PcmMixVectorKernels.h"

#pragma GCC push_options
#pragma GCC target("avx2")

namespace {

struct Avx2 {
    using V = __m256i;
    static constexpr u32 kLanes = 16;

    static V load(const u8* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
    static void store(u8* p, V v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }
    static V set8(i8 v) { return _mm256_set1_epi8(v); }
    static V set16(i16 v) { return _mm256_set1_epi16(v); }
    // kLanes bytes, each xor `bias`, sign-extended to 16-bit lanes.
    static V loadBytes(const u8* p, V bias) {
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        return _mm256_cvtepi8_epi16(_mm_xor_si128(b, _mm256_castsi256_si128(bias)));
    }
    // Two registers' lanes of bytes, each xor `bias`, sign-extended, in an order of its own
    // (unpacks work within 128-bit halves) that storeBytePair's pack undoes.
    static void loadBytePair(const u8* p, V bias, V* first, V* second) {
        const V b = _mm256_xor_si256(load(p), bias);
        *first = _mm256_srai_epi16(_mm256_unpacklo_epi8(b, b), 8);
        *second = _mm256_srai_epi16(_mm256_unpackhi_epi8(b, b), 8);
    }
    static void storeBytePair(u8* p, V first, V second, V bias) {
        store(p, _mm256_xor_si256(_mm256_packs_epi16(first, second), bias));
    }
    static V adds8(V a, V b) { return _mm256_adds_epi8(a, b); }
    static V adds16(V a, V b) { return _mm256_adds_epi16(a, b); }
    static V add16(V a, V b) { return _mm256_add_epi16(a, b); }
    static V add32(V a, V b) { return _mm256_add_epi32(a, b); }
    static V xor_(V a, V b) { return _mm256_xor_si256(a, b); }
    static V and_(V a, V b) { return _mm256_and_si256(a, b); }
    static V or_(V a, V b) { return _mm256_or_si256(a, b); }
    static V min16(V a, V b) { return _mm256_min_epi16(a, b); }
    static V max16(V a, V b) { return _mm256_max_epi16(a, b); }
    static V mulhi16(V a, V b) { return _mm256_mulhi_epi16(a, b); }
    static V mullo16(V a, V b) { return _mm256_mullo_epi16(a, b); }
    static V srai16(V a, int n) { return _mm256_srai_epi16(a, n); }
    static V slli16(V a, int n) { return _mm256_slli_epi16(a, n); }
    static V srli16(V a, int n) { return _mm256_srli_epi16(a, n); }
    // Unpacks and packs work within 128-bit halves, so a pack of the two unpacks restores
    // the lane order.
    static V unpacklo16(V a, V b) { return _mm256_unpacklo_epi16(a, b); }
    static V unpackhi16(V a, V b) { return _mm256_unpackhi_epi16(a, b); }
    static V packs32(V a, V b) { return _mm256_packs_epi32(a, b); }
    static V swapBytes16(V v) {
        const V order = _mm256_setr_epi8(1, 0, 3, 2, 5, 4, 7, 6, 9, 8, 11, 10, 13, 12, 15, 14, 1, 0, 3, 2, 5, 4, 7, 6, 9, 8,
                                         11, 10, 13, 12, 15, 14);
        return _mm256_shuffle_epi8(v, order);
    }
};

}  // namespace

#include "engine/audio/PcmMixVectorLoops.h"

const PcmMixKernelTable& pcmMixAvx2Kernels() { return pcm_mix_vector::Kernels<Avx2>::table(); }

#pragma GCC pop_options
