#pragma once
// The parsed form of shapes and glyph outlines, and its conversion from and to the file's
// bit-packed shape records. Offsets inside a block are u16 from the structure named; a block
// that would need larger offsets is refused as bad data.
//
// Shape block: u16 offsets of the fill style array, the line style array (0 = none) and the
// first record. Fill style array: u16 count, count u16 entry offsets from the array start,
// the entries (solid: type, RGBA; gradients 16/18: type, MATRIX, u16 points, per point ratio
// and RGBA; bitmaps 64/65: type, u16 id, MATRIX). Line style array: u16 count, per style u16
// width and RGBA. Records start with a u16 word whose low two bits give the kind.
#include "media/swf/MemoryStream.h"

namespace swf {

namespace shape {

constexpr u16 kEndRecord = 0;
constexpr u16 kCurvedEdge = 1;
constexpr u16 kStraightEdge = 2;
constexpr u16 kStyleChange = 3;

constexpr u32 kCurvedEdgeSize = 18;
constexpr u32 kStraightEdgeSize = 10;
constexpr u32 kStyleChangeFixedSize = 22;

// Style-change flags in the record word.
constexpr u16 kMoveTo = 0x04;
constexpr u16 kFillStyle0 = 0x08;
constexpr u16 kFillStyle1 = 0x10;
constexpr u16 kLineStyle = 0x20;
constexpr u16 kNewStyles = 0x40;

constexpr u8 kFillSolid = 0;
constexpr u8 kFillLinearGradient = 16;
constexpr u8 kFillRadialGradient = 18;
constexpr u8 kFillBitmap = 64;
constexpr u8 kFillBitmapClipped = 65;
constexpr u8 kMaxGradientPoints = 8;

}  // namespace shape

// Reads a style count: u8, or 255 followed by a u16.
Result ReadStyleCount(stream& in, u16& count);
// Reads count fill (line) styles into a new array at the block's position.
Result ReadFillStyles(stream& in, u16 count, stream& block, bool withAlpha);
Result ReadLineStyles(stream& in, u16 count, stream& block, bool withAlpha);
// Reads records up to and including the end record.
Result ReadShapeRecords(stream& in, stream& block, u32 fillBits, u32 lineBits, bool withAlpha);

// A missing array (null) writes a count of 0.
Result WriteFillStyles(stream& out, const u8* array, bool withAlpha);
Result WriteLineStyles(stream& out, const u8* array, bool withAlpha);
u16 StyleCount(const u8* array);
// Bits that index an array of that many styles: 0 for none.
u32 StyleIndexBits(u16 count);
// Writes the records from the first one through the end record.
Result WriteShapeRecords(stream& out, const u8* records, u32 available, u32 fillBits, u32 lineBits, bool withAlpha);

}  // namespace swf
