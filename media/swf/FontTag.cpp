#include "media/swf/FontTag.h"

#include "media/swf/GlyphBlock.h"
#include "media/swf/Records.h"

namespace swf {

namespace {

Result ReadCode(stream& in, bool wide, u16& code) {
    if (wide) return in.ReadU16(code);
    u8 narrow = 0;
    SWF_TRY(in.ReadU8(narrow));
    code = narrow;
    return kOk;
}

Result WriteCode(stream& out, bool wide, u16 code) { return wide ? out.WriteU16(code) : out.WriteU8(u8(code)); }

// Fails before a table of count entries of entrySize bytes is allocated for a body too short
// to hold it.
Result CheckRoom(stream& in, u32 count, u32 entrySize) {
    u32 size = 0;
    SWF_TRY(in.Size(size));
    if (in.Position() > size) return kErrMemory;
    return u64(count) * entrySize > size - in.Position() ? kErrMemory : kOk;
}

}  // namespace

Result tagDefineFont::ReadBody(stream& in, u32 length) {
    SWF_TRY(ReadCharacterId(in));
    if (Version() == 2) return ReadVersion2(in);
    if (length < 4) return kOk;
    const u32 tableStart = in.Position();
    u16 firstOffset = 0;
    SWF_TRY(in.ReadU16(firstOffset));
    return ReadGlyphs(in, tableStart, firstOffset / 2, false, glyphs_);
}

Result tagDefineFont::ReadVersion2(stream& in) {
    u8 nameLength = 0;
    char name[256];
    u16 count = 0;
    SWF_TRY(in.ReadU16(flags_));
    SWF_TRY(in.ReadU8(nameLength));
    SWF_TRY(in.ReadBytes(nameLength, reinterpret_cast<u8*>(name)));
    name[nameLength] = 0;
    name_ = RcString(name, nameLength);
    SWF_TRY(in.ReadU16(count));
    const bool wide = flags_ & kFontWideOffsets;
    const u32 tableStart = in.Position();
    SWF_TRY(CheckRoom(in, count + 1u, wide ? 4 : 2));
    in.SetPosition(tableStart + count * (wide ? 4u : 2u));
    u32 codeTableOffset = 0;
    SWF_TRY(ReadTableEntry(in, wide, codeTableOffset));
    SWF_TRY(ReadGlyphs(in, tableStart, count, wide, glyphs_));
    in.SetPosition(tableStart + codeTableOffset);
    SWF_TRY(CheckRoom(in, count, WideCodes() ? 2 : 1));
    codes_.assign(count, 0);
    for (u16& code : codes_) SWF_TRY(ReadCode(in, WideCodes(), code));
    if (flags_ & kFontHasLayout) return ReadLayout(in, count);
    return kOk;
}

Result tagDefineFont::ReadLayout(stream& in, u16 count) {
    SWF_TRY(in.ReadU16(layout_.ascent));
    SWF_TRY(in.ReadU16(layout_.descent));
    SWF_TRY(in.ReadU16(reinterpret_cast<u16&>(layout_.leading)));
    SWF_TRY(CheckRoom(in, count, 3));
    layout_.advances.assign(count, 0);
    for (i16& advance : layout_.advances) SWF_TRY(in.ReadU16(reinterpret_cast<u16&>(advance)));
    layout_.bounds.assign(count, Rect{});
    for (Rect& bounds : layout_.bounds) {
        SWF_TRY(ReadRect(in, bounds));
        in.Align(8);
    }
    u16 kerningCount = 0;
    SWF_TRY(in.ReadU16(kerningCount));
    SWF_TRY(CheckRoom(in, kerningCount, WideCodes() ? 6 : 4));
    layout_.kerning.assign(kerningCount, FontKerning{});
    for (FontKerning& pair : layout_.kerning) {
        SWF_TRY(ReadCode(in, WideCodes(), pair.first));
        SWF_TRY(ReadCode(in, WideCodes(), pair.second));
        SWF_TRY(in.ReadU16(reinterpret_cast<u16&>(pair.adjustment)));
    }
    return kOk;
}

Result tagDefineFont::Write(stream& out) {
    return WriteTagWithBody(out, code_, HeaderForm::Compact, [&]() -> Result {
        SWF_TRY(out.WriteU16(CharacterId()));
        if (Version() == 2) return WriteVersion2(out);
        u32 tableStart = 0;
        return WriteGlyphs(out, glyphs_, false, 0, tableStart);
    });
}

Result tagDefineFont::WriteVersion2(stream& out) {
    const u16 count = GlyphCount(glyphs_);
    if (codes_.size() != count || name_.ByteLength() > 255) return kErrBadData;
    SWF_TRY(out.WriteU16(flags_));
    SWF_TRY(out.WriteU8(u8(name_.ByteLength())));
    SWF_TRY(out.WriteBytes(name_.ByteLength(), reinterpret_cast<const u8*>(name_.c_str())));
    SWF_TRY(out.WriteU16(count));
    const bool wide = flags_ & kFontWideOffsets;
    u32 tableStart = 0;
    SWF_TRY(WriteGlyphs(out, glyphs_, wide, 1, tableStart));
    SWF_TRY(PatchTableEntry(out, tableStart, count, wide));
    for (u16 code : codes_) SWF_TRY(WriteCode(out, WideCodes(), code));
    if (flags_ & kFontHasLayout) return WriteLayout(out);
    return kOk;
}

Result tagDefineFont::WriteLayout(stream& out) {
    const size_t count = codes_.size();
    if (layout_.advances.size() != count || layout_.bounds.size() != count) return kErrBadData;
    SWF_TRY(out.WriteU16(layout_.ascent));
    SWF_TRY(out.WriteU16(layout_.descent));
    SWF_TRY(out.WriteU16(u16(layout_.leading)));
    for (i16 advance : layout_.advances) SWF_TRY(out.WriteU16(u16(advance)));
    for (const Rect& bounds : layout_.bounds) {
        SWF_TRY(WriteRect(out, bounds));
        out.Align(8);
    }
    SWF_TRY(out.WriteU16(u16(layout_.kerning.size())));
    for (const FontKerning& pair : layout_.kerning) {
        SWF_TRY(WriteCode(out, WideCodes(), pair.first));
        SWF_TRY(WriteCode(out, WideCodes(), pair.second));
        SWF_TRY(out.WriteU16(u16(pair.adjustment)));
    }
    return kOk;
}

}  // namespace swf
