// The mixer kernels on 512-bit AVX-512 registers, thirty-two 16-bit lanes each: twice the
// bytes a cycle of AVX2, as much as the C library's copies store. Everything below the target
// region's start is compiled for AVX-512 (byte, word and byte-permute instructions) and runs only once the
// processor has been asked (pcmMixBestVectorLevel); the standard headers stay above it.
#include <immintrin.h>

#include "engine/audio/PcmMixKernels.h"
#include "engine/audio/PcmMixVectorKernels.h"

#pragma GCC push_options
#pragma GCC target("avx512f,avx512bw,avx512vbmi")
// The compiler's own AVX-512 helpers start some registers from deliberately undefined values,
// which its flow analysis then reports as uninitialised.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

namespace {

struct Avx512 {
    using V = __m512i;
    static constexpr u32 kLanes = 32;

    static V load(const u8* p) { return _mm512_loadu_si512(p); }
    static void store(u8* p, V v) { _mm512_storeu_si512(p, v); }
    static V set8(i8 v) { return _mm512_set1_epi8(v); }
    static V set16(i16 v) { return _mm512_set1_epi16(v); }
    // kLanes bytes, each xor `bias`, sign-extended to 16-bit lanes.
    static V loadBytes(const u8* p, V bias) {
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
        return _mm512_cvtepi8_epi16(_mm256_xor_si256(b, _mm512_castsi512_si256(bias)));
    }
    // Two registers' lanes of bytes, each xor `bias`, sign-extended, in an order of its own
    // (unpacks work within 128-bit quarters) that storeBytePair's pack undoes.
    static void loadBytePair(const u8* p, V bias, V* first, V* second) {
        const V b = _mm512_xor_si512(load(p), bias);
        *first = _mm512_srai_epi16(_mm512_unpacklo_epi8(b, b), 8);
        *second = _mm512_srai_epi16(_mm512_unpackhi_epi8(b, b), 8);
    }
    static void storeBytePair(u8* p, V first, V second, V bias) {
        store(p, _mm512_xor_si512(_mm512_packs_epi16(first, second), bias));
    }
    static V adds8(V a, V b) { return _mm512_adds_epi8(a, b); }
    static V adds16(V a, V b) { return _mm512_adds_epi16(a, b); }
    static V add16(V a, V b) { return _mm512_add_epi16(a, b); }
    static V add32(V a, V b) { return _mm512_add_epi32(a, b); }
    static V xor_(V a, V b) { return _mm512_xor_si512(a, b); }
    static V and_(V a, V b) { return _mm512_and_si512(a, b); }
    static V or_(V a, V b) { return _mm512_or_si512(a, b); }
    static V min16(V a, V b) { return _mm512_min_epi16(a, b); }
    static V max16(V a, V b) { return _mm512_max_epi16(a, b); }
    static V mulhi16(V a, V b) { return _mm512_mulhi_epi16(a, b); }
    static V mullo16(V a, V b) { return _mm512_mullo_epi16(a, b); }
    static V srai16(V a, int n) { return _mm512_srai_epi16(a, n); }
    static V slli16(V a, int n) { return _mm512_slli_epi16(a, n); }
    static V srli16(V a, int n) { return _mm512_srli_epi16(a, n); }
    // Unpacks and packs work within 128-bit quarters, so a pack of the two unpacks restores
    // the lane order.
    static V unpacklo16(V a, V b) { return _mm512_unpacklo_epi16(a, b); }
    static V unpackhi16(V a, V b) { return _mm512_unpackhi_epi16(a, b); }
    static V packs32(V a, V b) { return _mm512_packs_epi32(a, b); }
    static V swapBytes16(V v) {
        // The shuffle works within 128-bit quarters: each quarter swaps its own pairs.
        const V order = _mm512_broadcast_i32x4(_mm_setr_epi8(1, 0, 3, 2, 5, 4, 7, 6, 9, 8, 11, 10, 13, 12, 15, 14));
        return _mm512_shuffle_epi8(v, order);
    }
    // A 256-byte table held in four registers: a register of bytes looks up its values in two
    // permutes over the table's halves, the index's top bit choosing between them. The table's
    // own bytes are the result, whatever gain made them.
    struct ByteTable {
        V quarters[4];
    };
    static ByteTable loadTable(const u8* table) {
        return ByteTable{{load(table), load(table + 64), load(table + 128), load(table + 192)}};
    }
    static V lookup(const ByteTable& table, V index) {
        // The permute writes over its index and, masked, leaves the other lanes' indices for the
        // second one: no blend of the halves' results.
        const __mmask64 high = _mm512_movepi8_mask(index);
        const V low = _mm512_mask2_permutex2var_epi8(table.quarters[0], index, ~high, table.quarters[1]);
        return _mm512_mask2_permutex2var_epi8(table.quarters[2], low, high, table.quarters[3]);
    }
};

}  // namespace

#include "engine/audio/PcmMixVectorLoops.h"

const PcmMixKernelTable& pcmMixAvx512Kernels() { return pcm_mix_vector::Kernels<Avx512>::table(); }

#pragma GCC diagnostic pop
#pragma GCC pop_options
