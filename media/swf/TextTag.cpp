#include "media/swf/TextTag.h"

#include "engine/base/ByteOrder.h"
#include "media/swf/Records.h"

namespace swf {

using namespace text;

namespace {

// The style flags of a text record in the file, and the block's flags they become.
constexpr u8 kFileStyleRecord = 0x80;
constexpr struct {
    u8 file;
    u16 block;
} kStyleFlags[] = {{0x08, kHasFont}, {0x04, kHasColour}, {0x02, kHasYOffset}, {0x01, kHasXOffset}};

constexpr u32 kMaxGlyphIndexBits = 16;
constexpr u32 kMaxGlyphRun = 127;

Result ReadStyle(stream& in, u8 fileFlags, bool withAlpha, stream& block) {
    u16 word = kStyle;
    for (const auto& flag : kStyleFlags)
        if (fileFlags & flag.file) word |= flag.block;
    u16 font = 0, height = 0, x = 0, y = 0;
    Rgba colour;
    if (word & kHasFont) SWF_TRY(in.ReadU16(font));
    if (word & kHasColour) SWF_TRY(in.ReadRGB(colour, withAlpha));
    if (word & kHasXOffset) SWF_TRY(in.ReadU16(x));
    if (word & kHasYOffset) SWF_TRY(in.ReadU16(y));
    if (word & kHasFont) SWF_TRY(in.ReadU16(height));
    for (u16 v : {word, u16(kStyleRecordSize), font, height}) SWF_TRY(block.WriteU16(v));
    SWF_TRY(PutRgba(block, colour));
    SWF_TRY(block.WriteU16(x));
    return block.WriteU16(y);
}

Result ReadGlyphRun(stream& in, u32 count, u32 glyphBits, u32 advanceBits, stream& block) {
    SWF_TRY(block.WriteU16(kGlyphRun));
    SWF_TRY(block.WriteU16(u16(count)));
    for (u32 i = 0; i < count; ++i) {
        u32 index = 0;
        i32 advance = 0;
        SWF_TRY(in.ReadBits(glyphBits, index));
        SWF_TRY(in.ReadSignedBits(advanceBits, advance));
        SWF_TRY(block.WriteU16(u16(index)));
        SWF_TRY(block.WriteU32(u32(advance)));
    }
    in.Align(8);
    return kOk;
}

Result WriteStyle(stream& out, const u8* record, bool withAlpha) {
    const u16 word = readLE16(record);
    u8 fileFlags = kFileStyleRecord;
    for (const auto& flag : kStyleFlags)
        if (word & flag.block) fileFlags |= flag.file;
    SWF_TRY(out.WriteU8(fileFlags));
    if (word & kHasFont) SWF_TRY(out.WriteU16(readLE16(record + 4)));
    if (word & kHasColour) SWF_TRY(out.WriteRGB(GetRgba(record + 8), withAlpha));
    if (word & kHasXOffset) SWF_TRY(out.WriteU16(readLE16(record + 12)));
    if (word & kHasYOffset) SWF_TRY(out.WriteU16(readLE16(record + 14)));
    if (word & kHasFont) SWF_TRY(out.WriteU16(readLE16(record + 6)));
    return kOk;
}

Result WriteGlyphRun(stream& out, const u8* record, u32 glyphBits, u32 advanceBits) {
    const u16 count = readLE16(record + 2);
    if (count == 0 || count > kMaxGlyphRun) return kErrBadData;
    SWF_TRY(out.WriteU8(u8(count)));
    for (u16 i = 0; i < count; ++i) {
        const u8* glyph = record + 4 + 6 * i;
        SWF_TRY(out.WriteBits(glyphBits, readLE16(glyph)));
        SWF_TRY(out.WriteBits(advanceBits, readLE32(glyph + 2)));
    }
    out.Align(8);
    return kOk;
}

}  // namespace

Result tagDefineText::ReadBody(stream& in, u32 length) {
    const bool withAlpha = Version() == 2;
    Rect bounds;
    Matrix matrix;
    u8 glyphBits = 0, advanceBits = 0;
    SWF_TRY(ReadCharacterId(in));
    SWF_TRY(ReadRect(in, bounds));
    in.Align(8);
    SWF_TRY(ReadMatrix(in, matrix));
    in.Align(8);
    SWF_TRY(in.ReadU8(glyphBits));
    SWF_TRY(in.ReadU8(advanceBits));
    if (glyphBits > kMaxGlyphIndexBits || advanceBits > 32) return kErrBadData;
    mstream block(BlockGrowStep(length));
    SWF_TRY(PutRect(block, bounds));
    SWF_TRY(PutMatrix(block, matrix));
    SWF_TRY(block.WriteU8(glyphBits));
    SWF_TRY(block.WriteU8(advanceBits));
    for (;;) {
        u8 first = 0;
        SWF_TRY(in.ReadU8(first));
        if (first == 0) break;
        if (first & kFileStyleRecord) SWF_TRY(ReadStyle(in, first, withAlpha, block));
        else SWF_TRY(ReadGlyphRun(in, first, glyphBits, advanceBits, block));
    }
    SWF_TRY(block.WriteU16(kEndRecord));
    text_.Take(block);
    return kOk;
}

Result tagDefineText::Write(stream& out) {
    return WriteTagWithBody(out, code_, HeaderForm::Compact, [&]() -> Result {
        const bool withAlpha = Version() == 2;
        const u8* data = text_.Data();
        if (!data) return kErrBadData;
        const u32 glyphBits = data[40], advanceBits = data[41];
        SWF_TRY(out.WriteU16(CharacterId()));
        SWF_TRY(WriteRect(out, GetRect(data)));
        out.Align(8);
        SWF_TRY(WriteMatrix(out, GetMatrix(data + 16)));
        out.Align(8);
        SWF_TRY(out.WriteU8(u8(glyphBits)));
        SWF_TRY(out.WriteU8(u8(advanceBits)));
        for (u32 at = kRecordsStart; at + 2 <= text_.Size();) {
            const u8* record = data + at;
            const u16 kind = readLE16(record) & 3;
            if (kind == kEndRecord) return out.WriteU8(0);
            if (kind == kStyle) {
                SWF_TRY(WriteStyle(out, record, withAlpha));
                at += kStyleRecordSize;
            } else {
                SWF_TRY(WriteGlyphRun(out, record, glyphBits, advanceBits));
                at += 4 + 6u * readLE16(record + 2);
            }
        }
        return kErrBadData;
    });
}

Rect tagDefineText::GetBounds() const {
    return text_.Size() >= text::kRecordsStart ? GetRect(text_.Data()) : Rect{};
}

}  // namespace swf
