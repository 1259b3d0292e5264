#include "media/swfgl/ShapeRecords.h"

#include "engine/base/ByteOrder.h"
#include "media/swf/ShapeBlock.h"

namespace swf::draw {

namespace {

// Pens are 32-bit twips: edges adding up past the range wrap around, as the file's own 32-bit
// sums do.
i32 Moved(i32 pen, const u8* delta) { return i32(u32(pen) + readLE32(delta)); }

}  // namespace

bool ShapeRecords::Next(ShapeRecord& record) {
    if (!block_ || u64(at_) + 2 > size_) return false;
    const u8* p = block_ + at_;
    record = ShapeRecord{};
    record.word = readLE16(p);
    record.kind = record.word & 3;
    record.offset = at_;
    record.fromX = penX_;
    record.fromY = penY_;
    switch (record.kind) {
        case shape::kStraightEdge:
            if (u64(at_) + shape::kStraightEdgeSize > size_) return false;
            penX_ = Moved(penX_, p + 2);
            penY_ = Moved(penY_, p + 6);
            at_ += shape::kStraightEdgeSize;
            break;
        case shape::kCurvedEdge:
            if (u64(at_) + shape::kCurvedEdgeSize > size_) return false;
            record.controlX = Moved(penX_, p + 2);
            record.controlY = Moved(penY_, p + 6);
            penX_ = Moved(record.controlX, p + 10);
            penY_ = Moved(record.controlY, p + 14);
            at_ += shape::kCurvedEdgeSize;
            break;
        case shape::kStyleChange: {
            if (u64(at_) + shape::kStyleChangeFixedSize > size_) return false;
            const u16 length = readLE16(p + 2);
            if (length < shape::kStyleChangeFixedSize || u64(at_) + length > size_) return false;
            if (record.word & shape::kMoveTo) {
                penX_ = i32(readLE32(p + 4));
                penY_ = i32(readLE32(p + 8));
            }
            record.fill0 = readLE16(p + 12);
            record.fill1 = readLE16(p + 14);
            record.line = readLE16(p + 16);
            if (record.word & shape::kNewStyles) {
                const u16 fills = readLE16(p + 18), lines = readLE16(p + 20);
                if (fills && u64(at_) + fills + 2 <= size_) record.fills = p + fills;
                if (lines && u64(at_) + lines + 2 <= size_) record.lines = p + lines;
            }
            at_ += length;
            break;
        }
        default:
            return false;
    }
    record.toX = penX_;
    record.toY = penY_;
    return true;
}

const u8* ShapeFillStyles(const u8* block, u32 size) {
    if (!block || size < 6) return nullptr;
    const u16 at = readLE16(block);
    return at && u32(at) + 2 <= size ? block + at : nullptr;
}

const u8* ShapeLineStyles(const u8* block, u32 size) {
    if (!block || size < 6) return nullptr;
    const u16 at = readLE16(block + 2);
    return at && u32(at) + 2 <= size ? block + at : nullptr;
}

u32 ShapeFirstRecord(const u8* block, u32 size) { return block && size >= 6 ? readLE16(block + 4) : size; }

const u8* FillStyleEntry(const u8* array, u16 index, const u8* blockEnd) {
    if (!array || index == 0 || index > readLE16(array)) return nullptr;
    const u8* slot = array + 2 + 2u * (index - 1);
    if (slot + 2 > blockEnd) return nullptr;
    const u8* entry = array + readLE16(slot);
    return entry < blockEnd && FillStyleSize(entry, blockEnd) ? entry : nullptr;
}

const u8* LineStyleEntry(const u8* array, u16 index, const u8* blockEnd) {
    if (!array || index == 0 || index > readLE16(array)) return nullptr;
    const u8* entry = array + 2 + 6u * (index - 1);
    return entry + 6 <= blockEnd ? entry : nullptr;
}

u32 FillStyleSize(const u8* entry, const u8* blockEnd) {
    if (entry >= blockEnd) return 0;
    const u64 left = u64(blockEnd - entry);
    u64 size = 0;
    switch (entry[0]) {
        case shape::kFillSolid: size = 5; break;
        case shape::kFillLinearGradient:
        case shape::kFillRadialGradient:
            if (left < 3 + kMatrixBlockSize) return 0;
            size = 3 + kMatrixBlockSize + 5u * readLE16(entry + 1 + kMatrixBlockSize);
            break;
        case shape::kFillBitmap:
        case shape::kFillBitmapClipped: size = 3 + kMatrixBlockSize; break;
        default: return 0;
    }
    return size <= left ? u32(size) : 0;
}

}  // namespace swf::draw
