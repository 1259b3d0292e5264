#pragma once
// Byte-order helpers. Stored formats are big-endian; the program runs little-endian.
// Readers and writers here work field by field on byte buffers, never by casting structs.
#include <cstddef>

#include "engine/base/EngineTypes.h"

constexpr u16 ByteSwap16(u16 value) { return u16((value >> 8) | (value << 8)); }

constexpr u32 ByteSwap32(u32 value) {
    return (value >> 24) | ((value >> 8) & 0xFF00u) | ((value << 8) & 0xFF0000u) | (value << 24);
}

inline u16 readBE16(const u8* p) { return u16((u16(p[0]) << 8) | p[1]); }
inline u32 readBE32(const u8* p) { return (u32(p[0]) << 24) | (u32(p[1]) << 16) | (u32(p[2]) << 8) | p[3]; }
inline u16 readLE16(const u8* p) { return u16(p[0] | (u16(p[1]) << 8)); }
inline u32 readLE32(const u8* p) { return u32(p[0]) | (u32(p[1]) << 8) | (u32(p[2]) << 16) | (u32(p[3]) << 24); }

inline void writeBE16(u8* p, u16 v) {
    p[0] = u8(v >> 8);
    p[1] = u8(v);
}
inline void writeBE32(u8* p, u32 v) {
    p[0] = u8(v >> 24);
    p[1] = u8(v >> 16);
    p[2] = u8(v >> 8);
    p[3] = u8(v);
}
inline void writeLE16(u8* p, u16 v) {
    p[0] = u8(v);
    p[1] = u8(v >> 8);
}
inline void writeLE32(u8* p, u32 v) {
    p[0] = u8(v);
    p[1] = u8(v >> 8);
    p[2] = u8(v >> 16);
    p[3] = u8(v >> 24);
}

// Swaps a 16- or 32-bit field in place, for stored records converted once after loading.
inline void swapInPlace16(u8* p) { writeLE16(p, readBE16(p)); }
inline void swapInPlace32(u8* p) { writeLE32(p, readBE32(p)); }
