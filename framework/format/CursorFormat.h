#pragma once
// The cursor resource 'CURS': one 32 × 32 monochrome cursor of the hot spots' cursor table.
// All fields are big-endian, in this order:
//
//   u16 version (1)
//   i16 hot x, i16 hot y (inside the picture: 0..31)
//   the and-plane, then the xor-plane: kCursorPlaneBytes bytes each, rows top to bottom,
//   most significant bit first
//
// Pure functions over byte buffers; callable from any thread.
#include <array>
#include <span>
#include <vector>

#include "engine/base/EngineTypes.h"

constexpr u16 kCursorFormatVersion = 1;
constexpr int kCursorEdge = 32;
constexpr size_t kCursorPlaneBytes = kCursorEdge * kCursorEdge / 8;
constexpr size_t kCursorResourceSize = 6 + 2 * kCursorPlaneBytes;

struct CursorRecord {
    i16 hotX = 0;
    i16 hotY = 0;
    std::array<u8, kCursorPlaneBytes> andPlane{};
    std::array<u8, kCursorPlaneBytes> xorPlane{};
    friend bool operator==(const CursorRecord&, const CursorRecord&) = default;
};

EngineErr parseCursorResource(std::span<const u8> bytes, CursorRecord* out);
// Refuses a hot spot outside the picture (kFmtErrBadRect), writing nothing.
EngineErr writeCursorResource(const CursorRecord& cursor, std::vector<u8>* out);
