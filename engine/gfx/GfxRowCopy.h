#pragma once
// Copies and fills of the short spans that packed picture runs write into a store: spans of
// a few dozen bytes, too short for a call into the C library to pay, are moved inline in
// overlapping fixed-size pieces. Source and destination never overlap.
#include <bit>
#include <cstddef>
#include <cstring>

#include "engine/base/EngineTypes.h"

static_assert(std::endian::native == std::endian::little);

namespace gfx_row_copy {

// The first and the last n bytes of a span of n to 2n bytes, all read before any is written: a
// store ahead of a load whose low address bits match it holds the load back until the store's
// whole address is known, and picture rows and store rows meet like that often. The pieces
// are held as vectors of at most 16 bytes, which stay in registers.
template <size_t n>
inline void copyEnds(u8* to, const u8* from, size_t bytes) {
    constexpr size_t piece = n < 16 ? n : 16, pieces = n / piece;
    typedef u8 Piece __attribute__((vector_size(piece)));
    Piece head[pieces], tail[pieces];
    for (size_t i = 0; i < pieces; ++i) {
        __builtin_memcpy(&head[i], from + i * piece, piece);
        __builtin_memcpy(&tail[i], from + bytes - n + i * piece, piece);
    }
    for (size_t i = 0; i < pieces; ++i) {
        __builtin_memcpy(to + i * piece, &head[i], piece);
        __builtin_memcpy(to + bytes - n + i * piece, &tail[i], piece);
    }
}

}  // namespace gfx_row_copy

inline void gfxCopySpan(u8* to, const u8* from, size_t bytes) {
    using gfx_row_copy::copyEnds;
    // Each span is copied in the largest pieces that cover it in two.
    if (bytes > 128) std::memcpy(to, from, bytes);
    else if (bytes > 64) copyEnds<64>(to, from, bytes);
    else if (bytes > 32) copyEnds<32>(to, from, bytes);
    else if (bytes > 16) copyEnds<16>(to, from, bytes);
    else if (bytes > 8) copyEnds<8>(to, from, bytes);
    else if (bytes > 4) copyEnds<4>(to, from, bytes);
    else if (bytes >= 2) copyEnds<2>(to, from, bytes);
    else if (bytes == 1) *to = *from;
}

// Fills `bytes` bytes with the repeated 8-byte `pattern` (little-endian) in overlapping
// stores. They start at multiples of 8 and at bytes - 8, so a pattern of one repeated byte,
// or of one repeated word over an even span, stays in phase.
inline void gfxFillPattern(u8* to, u64 pattern, size_t bytes) {
    if (bytes >= 8) {
        for (size_t i = 0; i + 8 < bytes; i += 8) __builtin_memcpy(to + i, &pattern, 8);
        __builtin_memcpy(to + bytes - 8, &pattern, 8);
    } else if (bytes >= 4) {
        const u32 half = u32(pattern);
        __builtin_memcpy(to, &half, 4);
        __builtin_memcpy(to + bytes - 4, &half, 4);
    } else {
        for (size_t i = 0; i < bytes; ++i) to[i] = u8(pattern >> (8 * (i % 8)));
    }
}

inline void gfxFillSpan(u8* to, u8 value, size_t bytes) {
    if (bytes > 128) std::memset(to, value, bytes);
    else gfxFillPattern(to, 0x0101010101010101ull * value, bytes);
}

// `count` little-endian copies of a 16-bit word.
inline void gfxFillWords(u8* to, u16 word, size_t count) {
    // The overlapping stores start at even offsets only, so the words stay in phase.
    gfxFillPattern(to, 0x0001000100010001ull * word, 2 * count);
}
