#include "media/swf/ShapeTag.h"

#include "engine/base/ByteOrder.h"
#include "media/swf/Document.h"
#include "media/swf/Records.h"
#include "media/swf/ShapeBlock.h"

namespace swf {

namespace {

// Offsets of the block's three leading u16 offsets.
constexpr u32 kFillArrayOffset = 0;
constexpr u32 kLineArrayOffset = 2;
constexpr u32 kRecordsOffset = 4;

Result PatchHere(stream& block, u32 at) { return block.PatchU16(at, block.Position()); }

}  // namespace

int tagDefineShape::Version() const {
    if (code_ == kTagDefineShape3) return 3;
    return code_ == kTagDefineShape2 ? 2 : 1;
}

Result tagDefineShape::ReadBody(stream& in, u32) {
    const bool withAlpha = Version() == 3;
    SWF_TRY(ReadCharacterId(in));
    SWF_TRY(ReadRect(in, bounds_));
    in.Align(8);
    // Records unpack to about three times their packed size, built where the shapes before
    // were built; a shape read outside a document builds in a stream of its own.
    mstream own(kScratchGrowStep);
    mstream& block = Owner() ? Owner()->BuildScratch() : own;
    SWF_TRY(block.WriteU16(0));
    SWF_TRY(block.WriteU16(0));
    SWF_TRY(block.WriteU16(0));
    u16 count = 0;
    SWF_TRY(ReadStyleCount(in, count));
    if (count) {
        SWF_TRY(PatchHere(block, kFillArrayOffset));
        SWF_TRY(ReadFillStyles(in, count, block, withAlpha));
    }
    SWF_TRY(ReadStyleCount(in, count));
    if (count) {
        block.Align(16);
        SWF_TRY(PatchHere(block, kLineArrayOffset));
        SWF_TRY(ReadLineStyles(in, count, block, withAlpha));
    }
    block.Align(16);
    SWF_TRY(PatchHere(block, kRecordsOffset));
    u32 fillBits = 0, lineBits = 0;
    SWF_TRY(in.ReadBits(4, fillBits));
    SWF_TRY(in.ReadBits(4, lineBits));
    SWF_TRY(ReadShapeRecords(in, block, fillBits, lineBits, withAlpha));
    return shape_.CopyFrom(block);
}

Result tagDefineShape::Write(stream& out) {
    return WriteTagWithBody(out, code_, HeaderForm::Compact, [&]() -> Result {
        const bool withAlpha = Version() == 3;
        const u8* block = shape_.Data();
        if (!block) return kErrBadData;
        const u16 fillOffset = readLE16(block + kFillArrayOffset);
        const u16 lineOffset = readLE16(block + kLineArrayOffset);
        const u16 recordsOffset = readLE16(block + kRecordsOffset);
        const u8* fills = fillOffset ? block + fillOffset : nullptr;
        const u8* lines = lineOffset ? block + lineOffset : nullptr;
        SWF_TRY(out.WriteU16(CharacterId()));
        SWF_TRY(WriteRect(out, bounds_));
        out.Align(8);
        SWF_TRY(WriteFillStyles(out, fills, withAlpha));
        SWF_TRY(WriteLineStyles(out, lines, withAlpha));
        const u32 fillBits = StyleIndexBits(StyleCount(fills));
        const u32 lineBits = StyleIndexBits(StyleCount(lines));
        SWF_TRY(out.WriteBits(4, fillBits));
        SWF_TRY(out.WriteBits(4, lineBits));
        SWF_TRY(WriteShapeRecords(out, block + recordsOffset, shape_.Size() - recordsOffset, fillBits, lineBits, withAlpha));
        out.Align(8);
        return kOk;
    });
}

}  // namespace swf
