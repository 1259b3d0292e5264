#pragma once
// Basic types shared by every engine module.
// Engine calls return an EngineErr (0 = success) and never throw; each module keeps its own
// last-error word and owns one band of codes (memory 101xx, OS 103xx, resources 104xx,
// regions 105xx, INI 106xx, audio 107xx, graphics 108xx).
#include <cstdint>

using u8 = uint8_t;
using u16 = uint16_t;
using u32 = uint32_t;
using u64 = uint64_t;
using i8 = int8_t;
using i16 = int16_t;
using i32 = int32_t;
using i64 = int64_t;

using EngineErr = u16;
constexpr EngineErr kErrNone = 0;

// A 32-bit value holding four characters; 'tBMP' style multi-character literals give the
// same value as fourCC("tBMP"), with the first character in the high byte.
using FourCC = u32;
constexpr FourCC fourCC(const char (&text)[5]) {
    return (u32(u8(text[0])) << 24) | (u32(u8(text[1])) << 16) | (u32(u8(text[2])) << 8) | u32(u8(text[3]));
}

// Signed 16.16 fixed point.
using Fixed = i32;
constexpr Fixed kFixedOne = 0x10000;
