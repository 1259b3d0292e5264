// The mixer kernels on 128-bit SSE2 registers, eight 16-bit lanes each.
#include <emmintrin.h>

#include "engine/audio/PcmMixKernels.h"
#include "engine/audio/PcmMixVectorKernels.h"

namespace {

struct Sse2 {
    using V = __m128i;
    static constexpr u32 kLanes = 8;

    static V load(const u8* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
    static void store(u8* p, V v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
    static V set8(i8 v) { return _mm_set1_epi8(v); }
    static V set16(i16 v) { return _mm_set1_epi16(v); }
    // kLanes bytes, each xor `bias`, sign-extended to 16-bit lanes.
    static V loadBytes(const u8* p, V bias) {
        const V b = _mm_xor_si128(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)), bias);
        return _mm_srai_epi16(_mm_unpacklo_epi8(b, b), 8);
    }
    // Two registers' lanes of bytes, each xor `bias`, sign-extended, in an order of its own
    // that storeBytePair undoes.
    static void loadBytePair(const u8* p, V bias, V* first, V* second) {
        const V b = _mm_xor_si128(load(p), bias);
        *first = _mm_srai_epi16(_mm_unpacklo_epi8(b, b), 8);
        *second = _mm_srai_epi16(_mm_unpackhi_epi8(b, b), 8);
    }
    static void storeBytePair(u8* p, V first, V second, V bias) {
        store(p, _mm_xor_si128(_mm_packs_epi16(first, second), bias));
    }
    static V adds8(V a, V b) { return _mm_adds_epi8(a, b); }
    static V adds16(V a, V b) { return _mm_adds_epi16(a, b); }
    static V add16(V a, V b) { return _mm_add_epi16(a, b); }
    static V add32(V a, V b) { return _mm_add_epi32(a, b); }
    static V xor_(V a, V b) { return _mm_xor_si128(a, b); }
    static V and_(V a, V b) { return _mm_and_si128(a, b); }
    static V or_(V a, V b) { return _mm_or_si128(a, b); }
    static V min16(V a, V b) { return _mm_min_epi16(a, b); }
    static V max16(V a, V b) { return _mm_max_epi16(a, b); }
    static V mulhi16(V a, V b) { return _mm_mulhi_epi16(a, b); }
    static V mullo16(V a, V b) { return _mm_mullo_epi16(a, b); }
    static V srai16(V a, int n) { return _mm_srai_epi16(a, n); }
    static V slli16(V a, int n) { return _mm_slli_epi16(a, n); }
    static V srli16(V a, int n) { return _mm_srli_epi16(a, n); }
    static V unpacklo16(V a, V b) { return _mm_unpacklo_epi16(a, b); }
    static V unpackhi16(V a, V b) { return _mm_unpackhi_epi16(a, b); }
    static V packs32(V a, V b) { return _mm_packs_epi32(a, b); }
    static V swapBytes16(V v) { return _mm_or_si128(_mm_slli_epi16(v, 8), _mm_srli_epi16(v, 8)); }
};

}  // namespace

#include "engine/audio/PcmMixVectorLoops.h"

const PcmMixKernelTable& pcmMixSse2Kernels() { return pcm_mix_vector::Kernels<Sse2>::table(); }
