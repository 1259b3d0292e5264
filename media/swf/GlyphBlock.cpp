#include "media/swf/GlyphBlock.h"

#include "engine/base/ByteOrder.h"
#include "media/swf/ShapeBlock.h"

namespace swf {

namespace {

Result ReadGlyph(stream& in, mstream& block) {
    u32 fillBits = 0, lineBits = 0;
    SWF_TRY(in.ReadBits(4, fillBits));
    SWF_TRY(in.ReadBits(4, lineBits));
    SWF_TRY(block.WriteU8(u8((fillBits << 4) | lineBits)));
    return ReadShapeRecords(in, block, fillBits, lineBits, false);
}

}  // namespace

Result ReadGlyphs(stream& in, u32 tableStart, u16 count, bool wideOffsets, Block& glyphs) {
    const u32 entrySize = wideOffsets ? 4 : 2;
    u32 size = 0;
    SWF_TRY(in.Size(size));
    mstream block(count * 16u + 64);
    SWF_TRY(block.WriteU16(count));
    for (u16 i = 0; i < count; ++i) SWF_TRY(block.WriteU32(0));
    // Glyphs may not overlap: each starts at or after the end of the one before, which keeps
    // the reading of a crafted table linear in its size.
    u32 previousEnd = tableStart;
    for (u16 i = 0; i < count; ++i) {
        in.SetPosition(tableStart + entrySize * i);
        u32 offset = 0;
        SWF_TRY(ReadTableEntry(in, wideOffsets, offset));
        if (offset >= size - tableStart) return kErrMemory;
        if (tableStart + offset < previousEnd) return kErrBadData;
        u8 here[4];
        writeLE32(here, block.Position());
        SWF_TRY(block.Write(2 + 4u * i, 4, here));
        in.SetPosition(tableStart + offset);
        SWF_TRY(ReadGlyph(in, block));
        in.Align(8);
        previousEnd = in.Position();
    }
    glyphs.Take(block);
    return kOk;
}

Result ReadTableEntry(stream& in, bool wideOffsets, u32& offset) {
    if (wideOffsets) return in.ReadU32(offset);
    u16 narrow = 0;
    SWF_TRY(in.ReadU16(narrow));
    offset = narrow;
    return kOk;
}

u16 GlyphCount(const Block& glyphs) { return glyphs.Data() ? readLE16(glyphs.Data()) : 0; }

Result PatchTableEntry(stream& out, u32 tableStart, u32 index, bool wideOffsets) {
    const u32 offset = out.Position() - tableStart;
    u8 bytes[4];
    if (wideOffsets) {
        writeLE32(bytes, offset);
        return out.Write(tableStart + 4 * index, 4, bytes);
    }
    return out.PatchU16(tableStart + 2 * index, offset);
}

Result WriteGlyphs(stream& out, const Block& glyphs, bool wideOffsets, u16 extraEntries, u32& tableStart) {
    const u16 count = GlyphCount(glyphs);
    const u32 entrySize = wideOffsets ? 4 : 2;
    tableStart = out.Position();
    for (u32 i = 0; i < (u32(count) + extraEntries) * entrySize; ++i) SWF_TRY(out.WriteU8(0));
    const u8* data = glyphs.Data();
    for (u16 i = 0; i < count; ++i) {
        SWF_TRY(PatchTableEntry(out, tableStart, i, wideOffsets));
        const u32 at = readLE32(data + 2 + 4u * i);
        const u32 end = i + 1 < count ? readLE32(data + 2 + 4u * (i + 1)) : glyphs.Size();
        const u8 bits = data[at];
        SWF_TRY(out.WriteBits(4, bits >> 4));
        SWF_TRY(out.WriteBits(4, bits & 15));
        SWF_TRY(WriteShapeRecords(out, data + at + 1, end - at - 1, bits >> 4, bits & 15, false));
        out.Align(8);
    }
    return kOk;
}

}  // namespace swf
