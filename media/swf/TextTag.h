#pragma once
// DefineText and DefineText2. The parsed text block holds the bounds (RECT as four i32), the
// MATRIX (six i32), u8 glyph bits, u8 advance bits, then text records starting with a u16
// word whose low two bits give the kind: 0 end; 1 glyph run (u16 count, per glyph u16 index
// and i32 advance); 2 style (u16 length, u16 font, u16 height, RGBA, u16 x, u16 y).
#include "media/swf/Block.h"
#include "media/swf/Tag.h"

namespace swf {

namespace text {

constexpr u16 kEndRecord = 0;
constexpr u16 kGlyphRun = 1;
constexpr u16 kStyle = 2;

constexpr u16 kHasFont = 0x100;
constexpr u16 kHasColour = 0x200;
constexpr u16 kHasYOffset = 0x400;
constexpr u16 kHasXOffset = 0x800;

constexpr u32 kStyleRecordSize = 16;
constexpr u32 kRecordsStart = 42;

}  // namespace text

class tagDefineText : public tagObject {
public:
    explicit tagDefineText(u16 code) : tagObject(code) {}

    Result ReadBody(stream& in, u32 length) override;
    Result Write(stream& out) override;

    int Version() const { return code_ == kTagDefineText2 ? 2 : 1; }
    const Block& Text() const { return text_; }
    Block& MutableText() { return text_; }
    Rect GetBounds() const override;

protected:
    u32 InstanceKind() const override { return kEntryText; }

private:
    Block text_;
};

}  // namespace swf
