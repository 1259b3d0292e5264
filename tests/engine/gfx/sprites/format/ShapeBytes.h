#pragma once
// Fixtures for the shape resource tests: groups, scripts and offset tables as one readable
// line each, written big-endian as they are stored.
#include <vector>

#include "engine/base/ByteOrder.h"
#include "engine/gfx/sprites/format/ShapeGroupFormat.h"

namespace testshape {

using Bytes = std::vector<u8>;

struct Frame {
    u16 width;
    u16 height;
    i16 rowBytes;
    u16 format;
    Bytes pixels;
};

inline void put16(Bytes& b, u16 v) {
    b.push_back(u8(v >> 8));
    b.push_back(u8(v));
}
inline void put32(Bytes& b, u32 v) {
    put16(b, u16(v >> 16));
    put16(b, u16(v));
}

// A plain 16-bit frame whose pixel words (big-endian, as stored) are given in row order.
inline Frame frame16(u16 width, u16 height, const std::vector<u16>& words) {
    Frame f{width, height, i16(width * 2), 0x0003, {}};
    for (u16 w : words) put16(f.pixels, w);
    return f;
}

// An uncompressed group: frame count, the two words for the tools, the offset table and frames.
inline Bytes makeGroup(const std::vector<Frame>& frames) {
    Bytes b;
    put16(b, u16(frames.size()));
    put16(b, 0);
    put32(b, 0);
    u32 offset = u32(kShapeGroupHeaderSize + 4 * frames.size());
    for (const Frame& f : frames) {
        put32(b, offset);
        offset += kShapeFrameHeaderSize + u32(f.pixels.size());
    }
    for (const Frame& f : frames) {
        put16(b, f.width);
        put16(b, f.height);
        put16(b, u16(f.rowBytes));
        put16(b, f.format);
        b.insert(b.end(), f.pixels.begin(), f.pixels.end());
    }
    return b;
}

struct Record {
    u8 type;
    u8 length;
    std::vector<u16> words;
};

// A script: sound base, shape rectangle and the records, each written as given.
inline Bytes makeScript(u16 soundBase, const std::vector<i16>& rect, const std::vector<Record>& records) {
    Bytes b;
    put16(b, 0);
    put16(b, soundBase);
    for (int i = 0; i < 6; ++i) put16(b, 0);
    for (i16 v : rect) put16(b, u16(v));
    put16(b, 0);
    for (const Record& r : records) {
        b.push_back(r.type);
        b.push_back(r.length);
        for (u16 w : r.words) put16(b, w);
    }
    return b;
}

inline Bytes makeOffsetTable(const std::vector<u16>& entries) {
    Bytes b;
    for (u16 e : entries) put16(b, e);
    return b;
}

}  // namespace testshape
