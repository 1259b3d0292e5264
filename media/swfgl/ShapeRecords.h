#pragma once
// A bounds-checked walk over the parsed shape records of a shape or a glyph (the layout of
// media/swf/ShapeBlock.h): each step gives one record with the pen already moved to its end.
// A record that would reach past the block, or a style-change record whose style arrays lie
// outside it, ends the walk as if it were the end record.
#include "media/swf/SwfTypes.h"

namespace swf::draw {

struct ShapeRecord {
    u16 kind = 0;   // shape::kStraightEdge, kCurvedEdge or kStyleChange
    u16 word = 0;   // the record's first word, with the style-change flags
    u32 offset = 0; // of the record in the block
    i32 fromX = 0, fromY = 0;     // the pen before the record
    i32 controlX = 0, controlY = 0;
    i32 toX = 0, toY = 0;         // the pen after it
    u16 fill0 = 0, fill1 = 0, line = 0;
    const u8* fills = nullptr;    // new style arrays of a style change, when it brings them
    const u8* lines = nullptr;
};

class ShapeRecords {
public:
    // block: the whole block the offsets count in; records start at first.
    ShapeRecords(const u8* block, u32 size, u32 first, i32 penX = 0, i32 penY = 0)
        : block_(block), size_(size), at_(first), penX_(penX), penY_(penY) {}

    bool Next(ShapeRecord& record);

private:
    const u8* block_;
    u32 size_;
    u32 at_;
    i32 penX_, penY_;
};

// The fill (line) style array a shape block starts with; null when it has none or it is out
// of the block.
const u8* ShapeFillStyles(const u8* block, u32 size);
const u8* ShapeLineStyles(const u8* block, u32 size);
u32 ShapeFirstRecord(const u8* block, u32 size);
// Entry index (1-based) of a style array; null when out of range or past the block's end.
const u8* FillStyleEntry(const u8* array, u16 index, const u8* blockEnd);
const u8* LineStyleEntry(const u8* array, u16 index, const u8* blockEnd);
// The bytes a fill style entry occupies from its first, for a check against the block end.
u32 FillStyleSize(const u8* entry, const u8* blockEnd);

}  // namespace swf::draw
