#pragma once
// Copies and fills of the short spans that packed picture runs write into a store: spans of
// a few dozen bytes, too short for a call into the C library to pay, are moved inline in
// overlapping fixed-size pieces. Source and destination never overlap.
#include <cstddef>
#include <cstring>

#include "engine/base/EngineTypes.h"

inline void gfxCopySpan(u8* to, const u8* from, size_t bytes) {
    if (bytes > 128) {
        std::memcpy(to, from, bytes);
    } else if (bytes >= 32) {
        for (size_t i = 0; i + 32 < bytes; i += 32) __builtin_memcpy(to + i, from + i, 32);
        __builtin_memcpy(to + bytes - 32, from + bytes - 32, 32);
    } else if (bytes >= 16) {
        __builtin_memcpy(to, from, 16);
        __builtin_memcpy(to + bytes - 16, from + bytes - 16, 16);
    } else if (bytes >= 8) {
        __builtin_memcpy(to, from, 8);
        __builtin_memcpy(to + bytes - 8, from + bytes - 8, 8);
    } else if (bytes >= 4) {
        __builtin_memcpy(to, from, 4);
        __builtin_memcpy(to + bytes - 4, from + bytes - 4, 4);
    } else {
        for (size_t i = 0; i < bytes; ++i) to[i] = from[i];
    }
}

inline void gfxFillSpan(u8* to, u8 value, size_t bytes) {
    if (bytes > 128) {
        std::memset(to, value, bytes);
        return;
    }
    u8 block[32];
    for (u8& b : block) b = value;
    if (bytes >= 32) {
        for (size_t i = 0; i + 32 < bytes; i += 32) __builtin_memcpy(to + i, block, 32);
        __builtin_memcpy(to + bytes - 32, block, 32);
    } else if (bytes >= 16) {
        __builtin_memcpy(to, block, 16);
        __builtin_memcpy(to + bytes - 16, block, 16);
    } else if (bytes >= 8) {
        __builtin_memcpy(to, block, 8);
        __builtin_memcpy(to + bytes - 8, block, 8);
    } else {
        for (size_t i = 0; i < bytes; ++i) to[i] = value;
    }
}

// `count` little-endian copies of a 16-bit word.
inline void gfxFillWords(u8* to, u16 word, size_t count) {
    const u8 bytes[2] = {u8(word), u8(word >> 8)};
    for (size_t i = 0; i < count; ++i) __builtin_memcpy(to + 2 * i, bytes, 2);
}
