#include "media/swf/ShapeBlock.h"

#include <algorithm>

#include "engine/base/ByteOrder.h"
#include "media/swf/BitReader.h"
#include "media/swf/Records.h"

namespace swf {

using namespace shape;

namespace {

// Patches a u16 offset from base to the block's position at an absolute block position.
Result PatchOffset(stream& block, u32 at, u32 base) { return block.PatchU16(at, block.Position() - base); }

Result CopyColour(stream& in, stream& block, bool withAlpha) {
    Rgba colour;
    SWF_TRY(in.ReadRGB(colour, withAlpha));
    return PutRgba(block, colour);
}

Result ReadFillStyle(stream& in, stream& block, bool withAlpha) {
    u8 type = 0;
    SWF_TRY(in.ReadU8(type));
    SWF_TRY(block.WriteU8(type));
    Matrix matrix;
    switch (type) {
        case kFillSolid:
            return CopyColour(in, block, withAlpha);
        case kFillLinearGradient:
        case kFillRadialGradient: {
            SWF_TRY(ReadMatrix(in, matrix));
            in.Align(8);
            SWF_TRY(PutMatrix(block, matrix));
            u8 points = 0;
            SWF_TRY(in.ReadU8(points));
            if (points == 0 || points > kMaxGradientPoints) return kErrBadData;
            SWF_TRY(block.WriteU16(points));
            for (u8 i = 0; i < points; ++i) {
                u8 ratio = 0;
                SWF_TRY(in.ReadU8(ratio));
                SWF_TRY(block.WriteU8(ratio));
                SWF_TRY(CopyColour(in, block, withAlpha));
            }
            return kOk;
        }
        case kFillBitmap:
        case kFillBitmapClipped: {
            u16 bitmap = 0;
            SWF_TRY(in.ReadU16(bitmap));
            SWF_TRY(ReadMatrix(in, matrix));
            in.Align(8);
            SWF_TRY(block.WriteU16(bitmap));
            return PutMatrix(block, matrix);
        }
        default:
            return kErrBadData;
    }
}

Result WriteFillStyle(stream& out, const u8* entry, bool withAlpha) {
    const u8 type = entry[0];
    SWF_TRY(out.WriteU8(type));
    switch (type) {
        case kFillSolid:
            return out.WriteRGB(GetRgba(entry + 1), withAlpha);
        case kFillLinearGradient:
        case kFillRadialGradient: {
            SWF_TRY(WriteMatrix(out, GetMatrix(entry + 1)));
            out.Align(8);
            const u16 points = readLE16(entry + 1 + kMatrixBlockSize);
            SWF_TRY(out.WriteU8(u8(points)));
            const u8* point = entry + 3 + kMatrixBlockSize;
            for (u16 i = 0; i < points; ++i, point += 5) {
                SWF_TRY(out.WriteU8(point[0]));
                SWF_TRY(out.WriteRGB(GetRgba(point + 1), withAlpha));
            }
            return kOk;
        }
        default:
            SWF_TRY(out.WriteU16(readLE16(entry + 1)));
            SWF_TRY(WriteMatrix(out, GetMatrix(entry + 3)));
            out.Align(8);
            return kOk;
    }
}

Result WriteStyleCount(stream& out, u16 count) {
    if (count < 255) return out.WriteU8(u8(count));
    SWF_TRY(out.WriteU8(255));
    return out.WriteU16(count);
}

// Reads the new style arrays of a style-change record into the record that starts at
// recordStart, dropping empty arrays.
Result ReadNewStyles(stream& in, stream& block, u32 recordStart, bool withAlpha, u32& fillBits, u32& lineBits) {
    in.Align(8);
    u16 count = 0;
    SWF_TRY(ReadStyleCount(in, count));
    if (count) {
        block.Align(16);
        SWF_TRY(PatchOffset(block, recordStart + 18, recordStart));
        SWF_TRY(ReadFillStyles(in, count, block, withAlpha));
    }
    SWF_TRY(ReadStyleCount(in, count));
    if (count) {
        block.Align(16);
        SWF_TRY(PatchOffset(block, recordStart + 20, recordStart));
        SWF_TRY(ReadLineStyles(in, count, block, withAlpha));
    }
    SWF_TRY(in.ReadBits(4, fillBits));
    return in.ReadBits(4, lineBits);
}

Result ReadStyleChange(stream& in, stream& block, u32 flags, bool withAlpha, u32& fillBits, u32& lineBits) {
    const u32 recordStart = block.Position();
    i32 move[2] = {0, 0};
    u32 styles[3] = {0, 0, 0};
    if (flags & 0x01) {
        u32 bits = 0;
        SWF_TRY(in.ReadBits(5, bits));
        SWF_TRY(in.ReadSignedBits(bits, move[0]));
        SWF_TRY(in.ReadSignedBits(bits, move[1]));
    }
    if (flags & 0x02) SWF_TRY(in.ReadBits(fillBits, styles[0]));
    if (flags & 0x04) SWF_TRY(in.ReadBits(fillBits, styles[1]));
    if (flags & 0x08) SWF_TRY(in.ReadBits(lineBits, styles[2]));
    SWF_TRY(block.WriteU16(u16(kStyleChange | (flags << 2))));
    SWF_TRY(block.WriteU16(0));
    SWF_TRY(block.WriteU32(u32(move[0])));
    SWF_TRY(block.WriteU32(u32(move[1])));
    for (u32 s : styles) SWF_TRY(block.WriteU16(u16(s)));
    SWF_TRY(block.WriteU32(0));
    if (flags & 0x10) SWF_TRY(ReadNewStyles(in, block, recordStart, withAlpha, fillBits, lineBits));
    return PatchOffset(block, recordStart + 2, recordStart);
}

// An edge record's fields: the kind and two (straight) or four (curved) deltas.
struct Edge {
    u16 kind = kStraightEdge;
    i32 d[4] = {0, 0, 0, 0};
};

// Reads the fields after an edge's first bit from a stream or a BitReader.
template <class In>
Result ReadEdgeFields(In& in, Edge& edge) {
    u32 straight = 0, bits = 0;
    SWF_TRY(in.ReadBits(1, straight));
    SWF_TRY(in.ReadBits(4, bits));
    bits += 2;
    if (straight) {
        u32 general = 0, vertical = 0;
        SWF_TRY(in.ReadBits(1, general));
        if (!general) SWF_TRY(in.ReadBits(1, vertical));
        if (general || !vertical) SWF_TRY(in.ReadSignedBits(bits, edge.d[0]));
        if (general || vertical) SWF_TRY(in.ReadSignedBits(bits, edge.d[1]));
        edge.kind = kStraightEdge;
        return kOk;
    }
    for (i32& v : edge.d) SWF_TRY(in.ReadSignedBits(bits, v));
    edge.kind = kCurvedEdge;
    return kOk;
}

// Stores an edge record: straight into the block's memory when it has room, else field by field.
Result PutEdge(stream& block, const Edge& edge) {
    const u32 deltas = edge.kind == kCurvedEdge ? 4 : 2;
    if (u8* span = block.DirectSpan(2 + 4 * deltas)) {
        writeLE16(span, edge.kind);
        for (u32 i = 0; i < deltas; ++i) writeLE32(span + 2 + 4 * i, u32(edge.d[i]));
        return kOk;
    }
    SWF_TRY(block.WriteU16(edge.kind));
    for (u32 i = 0; i < deltas; ++i) SWF_TRY(block.WriteU32(u32(edge.d[i])));
    return kOk;
}

Result ReadEdge(stream& in, stream& block) {
    Edge edge;
    SWF_TRY(ReadEdgeFields(in, edge));
    return PutEdge(block, edge);
}

// The widest that the 4-bit NumBits of an edge (width - 2) and the 5-bit width of a move-to
// can name.
constexpr u32 kMaxEdgeWidth = 17;
constexpr u32 kMaxMoveWidth = 31;

Result WriteSignedValues(stream& out, u32 bits, std::initializer_list<i32> values) {
    for (i32 v : values) SWF_TRY(out.WriteBits(bits, u32(v)));
    return kOk;
}

Result WriteEdge(stream& out, u16 kind, const u8* record) {
    const i32 a = i32(readLE32(record + 2)), b = i32(readLE32(record + 6));
    SWF_TRY(out.WriteBits(1, 1));
    if (kind == kCurvedEdge) {
        const i32 c = i32(readLE32(record + 10)), d = i32(readLE32(record + 14));
        const u32 width = SignedFieldWidth({a, b, c, d}, kMaxEdgeWidth);
        if (width > kMaxEdgeWidth) return kErrBadData;
        SWF_TRY(out.WriteBits(1, 0));
        SWF_TRY(out.WriteBits(4, width - 2));
        return WriteSignedValues(out, width, {a, b, c, d});
    }
    const u32 width = SignedFieldWidth({a, b}, kMaxEdgeWidth);
    if (width > kMaxEdgeWidth) return kErrBadData;
    SWF_TRY(out.WriteBits(1, 1));
    SWF_TRY(out.WriteBits(4, width - 2));
    if (a == 0) {
        SWF_TRY(out.WriteBits(2, 0x1));
        return WriteSignedValues(out, width, {b});
    }
    if (b == 0) {
        SWF_TRY(out.WriteBits(2, 0x0));
        return WriteSignedValues(out, width, {a});
    }
    SWF_TRY(out.WriteBits(1, 1));
    return WriteSignedValues(out, width, {a, b});
}

Result WriteStyleChange(stream& out, const u8* record, bool withAlpha, u32& fillBits, u32& lineBits) {
    const u16 word = readLE16(record);
    SWF_TRY(out.WriteBits(1, 0));
    SWF_TRY(out.WriteBits(5, (word >> 2) & 0x1F));
    if (word & kMoveTo) {
        const i32 dx = i32(readLE32(record + 4)), dy = i32(readLE32(record + 8));
        const u32 width = SignedFieldWidth({dx, dy}, kMaxMoveWidth);
        if (width > kMaxMoveWidth) return kErrBadData;
        SWF_TRY(out.WriteBits(5, width));
        SWF_TRY(WriteSignedValues(out, width, {dx, dy}));
    }
    if (word & kFillStyle0) SWF_TRY(out.WriteBits(fillBits, readLE16(record + 12)));
    if (word & kFillStyle1) SWF_TRY(out.WriteBits(fillBits, readLE16(record + 14)));
    if (word & kLineStyle) SWF_TRY(out.WriteBits(lineBits, readLE16(record + 16)));
    if (word & kNewStyles) {
        const u16 fillOffset = readLE16(record + 18), lineOffset = readLE16(record + 20);
        const u8* fills = fillOffset ? record + fillOffset : nullptr;
        const u8* lines = lineOffset ? record + lineOffset : nullptr;
        out.Align(8);
        SWF_TRY(WriteFillStyles(out, fills, withAlpha));
        SWF_TRY(WriteLineStyles(out, lines, withAlpha));
        fillBits = StyleIndexBits(StyleCount(fills));
        lineBits = StyleIndexBits(StyleCount(lines));
        SWF_TRY(out.WriteBits(4, fillBits));
        SWF_TRY(out.WriteBits(4, lineBits));
    }
    return kOk;
}

}  // namespace

Result ReadStyleCount(stream& in, u16& count) {
    u8 small = 0;
    SWF_TRY(in.ReadU8(small));
    count = small;
    if (small == 255) SWF_TRY(in.ReadU16(count));
    return kOk;
}

Result ReadFillStyles(stream& in, u16 count, stream& block, bool withAlpha) {
    const u32 arrayStart = block.Position();
    SWF_TRY(block.WriteU16(count));
    for (u16 i = 0; i < count; ++i) SWF_TRY(block.WriteU16(0));
    for (u16 i = 0; i < count; ++i) {
        SWF_TRY(PatchOffset(block, arrayStart + 2 + 2u * i, arrayStart));
        SWF_TRY(ReadFillStyle(in, block, withAlpha));
    }
    return kOk;
}

Result ReadLineStyles(stream& in, u16 count, stream& block, bool withAlpha) {
    SWF_TRY(block.WriteU16(count));
    for (u16 i = 0; i < count; ++i) {
        u16 width = 0;
        SWF_TRY(in.ReadU16(width));
        SWF_TRY(block.WriteU16(width));
        SWF_TRY(CopyColour(in, block, withAlpha));
    }
    return kOk;
}

// The bytes an edge record can span from its first byte, with the 8 bytes a field load reads
// past its start: 74 bits of fields, starting anywhere in the first byte.
constexpr u32 kEdgeReach = 10 + 8;

Result ReadShapeRecords(stream& in, stream& block, u32 fillBits, u32 lineBits, bool withAlpha) {
    for (;;) {
        // Runs of edges, the bulk of a shape, are read straight from a block in memory while
        // the whole of the next record lies in it.
        BitReader fast(in);
        bool styleChanged = false;
        while (fast.Has(kEdgeReach)) {
            u32 isEdge = 0;
            fast.ReadBits(1, isEdge);
            if (!isEdge) {
                u32 flags = 0;
                fast.ReadBits(5, flags);
                fast.Finish();
                if (flags == 0) return block.WriteU16(kEndRecord);
                SWF_TRY(ReadStyleChange(in, block, flags, withAlpha, fillBits, lineBits));
                styleChanged = true;
                break;
            }
            Edge edge;
            ReadEdgeFields(fast, edge);
            if (const Result stored = PutEdge(block, edge)) {
                fast.Finish();
                return stored;
            }
        }
        if (styleChanged) continue;
        fast.Finish();
        u32 isEdge = 0;
        SWF_TRY(in.ReadBits(1, isEdge));
        if (isEdge) {
            SWF_TRY(ReadEdge(in, block));
            continue;
        }
        u32 flags = 0;
        SWF_TRY(in.ReadBits(5, flags));
        if (flags == 0) return block.WriteU16(kEndRecord);
        SWF_TRY(ReadStyleChange(in, block, flags, withAlpha, fillBits, lineBits));
    }
}

u16 StyleCount(const u8* array) { return array ? readLE16(array) : 0; }

u32 StyleIndexBits(u16 count) { return count ? UnsignedBitWidth(count) : 0; }

Result WriteFillStyles(stream& out, const u8* array, bool withAlpha) {
    const u16 count = StyleCount(array);
    SWF_TRY(WriteStyleCount(out, count));
    for (u16 i = 0; i < count; ++i) SWF_TRY(WriteFillStyle(out, array + readLE16(array + 2 + 2 * i), withAlpha));
    return kOk;
}

Result WriteLineStyles(stream& out, const u8* array, bool withAlpha) {
    const u16 count = StyleCount(array);
    SWF_TRY(WriteStyleCount(out, count));
    for (u16 i = 0; i < count; ++i) {
        const u8* style = array + 2 + 6 * i;
        SWF_TRY(out.WriteU16(readLE16(style)));
        SWF_TRY(out.WriteRGB(GetRgba(style + 2), withAlpha));
    }
    return kOk;
}

Result WriteShapeRecords(stream& out, const u8* records, u32 available, u32 fillBits, u32 lineBits, bool withAlpha) {
    u32 at = 0;
    while (at + 2 <= available) {
        const u8* record = records + at;
        const u16 kind = readLE16(record) & 3;
        if (kind == kEndRecord) return out.WriteBits(6, 0);
        if (kind == kStyleChange) {
            SWF_TRY(WriteStyleChange(out, record, withAlpha, fillBits, lineBits));
            at += readLE16(record + 2);
        } else {
            SWF_TRY(WriteEdge(out, kind, record));
            at += kind == kCurvedEdge ? kCurvedEdgeSize : kStraightEdgeSize;
        }
    }
    return kErrBadData;
}

}  // namespace swf
