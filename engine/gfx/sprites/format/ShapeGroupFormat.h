#pragma once
// Shape group resources ('tBMH'): a big-endian frame count, two words for the tools that
// build content, a table of frame offsets (frames are numbered from 1) and the frame bitmaps.
// A compressed group keeps the first 8 bytes (marked by kShapeGroupCompressed in the word at
// offset 6) and stores the rest as one coded stream behind a 12-byte header: method and
// expanded size, stream length, decoded length.
//
// In memory, after conversion, the frame count and offsets are in machine order while the
// frame bitmaps keep their big-endian headers. Groups come from files: every count and
// offset is checked against the block before it is followed. Pure: any thread may call.
#include <span>
#include <vector>

#include "engine/gfx/sprites/format/ShapeDecoder.h"

constexpr u32 kShapeGroupHeaderSize = 8;
constexpr u32 kShapeGroupFlagsField = 6;
constexpr u16 kShapeGroupCompressed = 0x0400;
constexpr u32 kShapeGroupStreamStart = 20;
constexpr u32 kShapeFrameHeaderSize = 8;

struct ShapeGroupStream {
    ShapeMethod method;
    u32 expandedSize;
    u32 length;
    u32 decodedSize;
};

bool shapeGroupIsCompressed(std::span<const u8> group);
// Reads the stream header of a compressed group: kShapeErrNoMethod when neither method bit
// is set, kShapeErrDamagedGroup when the header or the stream does not fit the resource or
// the decoded size is more than the stream could make.
EngineErr shapeGroupReadStream(std::span<const u8> group, ShapeGroupStream* stream);
// Writes the expanded group (8 + decodedSize bytes, marker cleared) into `out`.
EngineErr shapeGroupExpand(std::span<const u8> group, const ShapeGroupStream& stream, std::span<u8> out);
// The compressed form of an uncompressed group.
std::vector<u8> shapeGroupCompress(std::span<const u8> group, ShapeMethod method);

// Puts the frame count and offsets into machine order after checking that the table fits and
// that every frame's header lies inside the group after it; nothing changes on failure.
EngineErr shapeGroupConvertTable(std::span<u8> group);

// Accessors of a converted group.
u16 shapeGroupFrameCount(std::span<const u8> group);
// Frame `frame` (1 to the count) and the bytes from it to the end of the group; empty when
// there is no such frame.
std::span<u8> shapeGroupFrame(std::span<u8> group, u16 frame);
