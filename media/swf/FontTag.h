#pragma once
// DefineFont and DefineFont2: glyph outlines and, for version 2, the name, the code table
// and the optional layout.
#include <vector>

#include "engine/base/RcString.h"
#include "media/swf/Block.h"
#include "media/swf/Tag.h"

namespace swf {

constexpr u16 kFontHasLayout = 0x80;
constexpr u16 kFontWideOffsets = 0x08;
constexpr u16 kFontWideCodes = 0x04;

struct FontKerning {
    u16 first = 0, second = 0;
    i16 adjustment = 0;
};

struct FontLayout {
    u16 ascent = 0, descent = 0;
    i16 leading = 0;
    std::vector<i16> advances;
    std::vector<Rect> bounds;
    std::vector<FontKerning> kerning;
};

class tagDefineFont : public tagObject {
public:
    explicit tagDefineFont(u16 code) : tagObject(code) {}

    Result ReadBody(stream& in, u32 length) override;
    Result Write(stream& out) override;

    int Version() const { return code_ == kTagDefineFont2 ? 2 : 1; }
    // Version 2: the file's flags byte and the byte after it, the first in the low byte.
    u16 Flags() const { return flags_; }
    const RcString& Name() const { return name_; }
    const Block& Glyphs() const { return glyphs_; }
    const std::vector<u16>& Codes() const { return codes_; }
    const FontLayout& Layout() const { return layout_; }

private:
    Result ReadVersion2(stream& in);
    Result ReadLayout(stream& in, u16 count);
    Result WriteVersion2(stream& out);
    Result WriteLayout(stream& out);
    bool WideCodes() const { return flags_ & kFontWideCodes; }

    u16 flags_ = 0;
    RcString name_;
    Block glyphs_;
    std::vector<u16> codes_;
    FontLayout layout_;
};

}  // namespace swf
