#pragma once
// This system's own two tags. Code 512 carries a signature; a movie whose first tag is a 512
// tag carrying it is recognised as written by this system, and only such a movie may carry
// the colour substitution table of code 513 (elsewhere a 513 tag is kept raw). Tables are
// placed right after the signature tag. A signed 512 tag further on is kept as it is but not
// recognised: 513 tags read before it were kept raw, and would be read as tables once the
// signature had moved to the front, so a movie would not read back as it was written.
#include <vector>

#include "media/swf/Block.h"
#include "media/swf/Tag.h"

namespace swf {

// "<Velquist Software>" and its zero byte.
constexpr char kExtensionSignature[] = "<Velquist Software>";
constexpr u32 kExtensionSignatureSize = sizeof kExtensionSignature;

class xtagExtensions : public tag {
public:
    // A new tag carries the signature.
    xtagExtensions();

    Result ReadBody(stream& in, u32 length) override;
    Result Write(stream& out) override;

    bool Recognised() const;
    const Block& Body() const { return body_; }

private:
    Block body_;
};

// Paint kinds of the table: the first byte of a paint record.
constexpr u8 kPaintSolid = 0;          // kind, RGBA
constexpr u8 kPaintGradient = 240;     // and 241: kind, u16 points, per point ratio and RGBA
constexpr u8 kPaintGradientAlt = 241;
constexpr u8 kPaintImage = 242;        // and 243: kind, u16 width, u16 height, RGB pixels
constexpr u8 kPaintImageAlt = 243;

// Maps key colours (red, green, blue, alpha as one little-endian u32) to replacement
// paints, sorted by key.
class xtagColorXTable : public tagAction {
public:
    xtagColorXTable() : tagAction(kTagColorXTable) {}

    Result ReadBody(stream& in, u32 length) override;
    Result Write(stream& out) override;

    // Makes a solid paint of the colour for the key, replacing an equal key's paint.
    Result SetEntry(u32 key, const Rgba& colour);
    // A solid paint whose colour is a key gives that entry's paint; any other paint itself.
    const u8* LookUpPaint(const u8* paint) const;
    u32 EntryCount() const { return u32(entries_.size()); }

    static u32 KeyOf(const Rgba& colour);

private:
    struct Entry {
        u32 key;
        std::vector<u8> paint;
    };

    Result ReadEntry(stream& in, u32 bodyEnd);
    void Insert(Entry entry);

    std::vector<Entry> entries_;
};

}  // namespace swf
