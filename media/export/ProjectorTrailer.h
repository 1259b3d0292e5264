#pragma once
// The trailer of a stand-alone player file: its last 8 bytes, a little-endian u32 0xFA123456
// and then a u32, the length of the Flash movie that lies just before them. Pure: bytes in,
// places out.
#include <span>

#include "engine/base/EngineTypes.h"

constexpr u32 kProjectorMarker = 0xFA123456;
constexpr u32 kProjectorTrailerSize = 8;

// Where the appended movie lies in a file of `fileSize` bytes whose last 8 bytes are
// `trailer`; false when they are no trailer, or name a movie longer than the file before them.
bool ReadProjectorTrailer(std::span<const u8> trailer, u64 fileSize, u64* movieOffset, u32* movieLength);

// The player program's bytes without a movie it may already carry (the whole file when it
// carries none).
u64 ProjectorProgramSize(std::span<const u8> trailer, u64 fileSize);

// The trailer of a movie of `length` bytes.
void WriteProjectorTrailer(u32 length, u8 out[kProjectorTrailerSize]);
