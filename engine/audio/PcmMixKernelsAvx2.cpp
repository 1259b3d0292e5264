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
    // The lanes narrowed to bytes with signed saturation, each xor `bias`. The pack works
    // within each 128-bit half; the permute brings both halves' bytes together.
    static void storeBytes(u8* p, V v, V bias) {
        const V packed = _mm256_permute4x64_epi64(_mm256_packs_epi16(v, v), 0x08);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm256_castsi256_si128(_mm256_xor_si256(packed, bias)));
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
    // Unpacks and packs work within 128-bit halves, so a pack of the two unpacks restores
    // the lane order.
    static V unpacklo16(V a, V b) { return _mm256_unpacklo_epi16(a, b); }
    static V unpackhi16(V a, V b) { return _mm256_unpackhi_epi16(a, b); }
    static V packs32(V a, V b) { return _mm256_packs_epi32(a, b); }
    static V swapBytes16(V v) { return _mm256_or_si256(_mm256_slli_epi16(v, 8), _mm256_srli_epi16(v, 8)); }
};

}  // namespace

#include "engine/audio/PcmMixVectorLoops.h"

const PcmMixKernelTable& pcmMixAvx2Kernels() { return pcm_mix_vector::Kernels<Avx2>::table(); }

#pragma GCC pop_options
