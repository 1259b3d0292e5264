#include "media/swf/Records.h"

#include <algorithm>

#include "engine/base/ByteOrder.h"

namespace swf {

namespace {

// The widest field that a 5-bit width can name.
constexpr u32 kMaxFieldWidth = 31;
// The widest that the 4-bit width field of a CXFORM can name.
constexpr u32 kMaxCxformWidth = 15;

u32 WidestOf(std::initializer_list<i32> values) { return SignedFieldWidth(values, kMaxFieldWidth); }

Result ReadSignedPair(stream& in, u32 bits, i32& first, i32& second) {
    SWF_TRY(in.ReadSignedBits(bits, first));
    return in.ReadSignedBits(bits, second);
}

Result WritePair(stream& out, u32 bits, i32 first, i32 second) {
    SWF_TRY(out.WriteBits(bits, u32(first)));
    return out.WriteBits(bits, u32(second));
}

// UB[1] present, then when present UB[5] width and the two values; a width of 0 leaves the
// values as they are.
Result ReadFlaggedPair(stream& in, i32& first, i32& second) {
    u32 present = 0, bits = 0;
    SWF_TRY(in.ReadBits(1, present));
    if (!present) return kOk;
    SWF_TRY(in.ReadBits(5, bits));
    return bits ? ReadSignedPair(in, bits, first, second) : kOk;
}

Result WriteFlaggedPair(stream& out, bool present, i32 first, i32 second) {
    SWF_TRY(out.WriteBits(1, present));
    if (!present) return kOk;
    const u32 bits = WidestOf({first, second});
    if (bits > kMaxFieldWidth) return kErrBadData;
    SWF_TRY(out.WriteBits(5, bits));
    return WritePair(out, bits, first, second);
}

}  // namespace

Result ReadRect(stream& in, Rect& rect) {
    u32 bits = 0;
    SWF_TRY(in.ReadBits(5, bits));
    SWF_TRY(ReadSignedPair(in, bits, rect.xMin, rect.xMax));
    return ReadSignedPair(in, bits, rect.yMin, rect.yMax);
}

Result WriteRect(stream& out, const Rect& rect) {
    const u32 bits = WidestOf({rect.xMin, rect.xMax, rect.yMin, rect.yMax});
    if (bits > kMaxFieldWidth) return kErrBadData;
    SWF_TRY(out.WriteBits(5, bits));
    SWF_TRY(WritePair(out, bits, rect.xMin, rect.xMax));
    return WritePair(out, bits, rect.yMin, rect.yMax);
}

Result ReadMatrix(stream& in, Matrix& matrix) {
    matrix = Matrix{};
    SWF_TRY(ReadFlaggedPair(in, matrix.scaleX, matrix.scaleY));
    SWF_TRY(ReadFlaggedPair(in, matrix.rotateSkew0, matrix.rotateSkew1));
    u32 bits = 0;
    SWF_TRY(in.ReadBits(5, bits));
    if (bits) SWF_TRY(ReadSignedPair(in, bits, matrix.translateX, matrix.translateY));
    return kOk;
}

Result WriteMatrix(stream& out, const Matrix& matrix) {
    const bool hasScale = matrix.scaleX != kFixedOne || matrix.scaleY != kFixedOne;
    SWF_TRY(WriteFlaggedPair(out, hasScale, matrix.scaleX, matrix.scaleY));
    const bool hasRotate = matrix.rotateSkew0 != 0 || matrix.rotateSkew1 != 0;
    SWF_TRY(WriteFlaggedPair(out, hasRotate, matrix.rotateSkew0, matrix.rotateSkew1));
    const bool hasTranslate = matrix.translateX != 0 || matrix.translateY != 0;
    const u32 bits = hasTranslate ? WidestOf({matrix.translateX, matrix.translateY}) : 0;
    if (bits > kMaxFieldWidth) return kErrBadData;
    SWF_TRY(out.WriteBits(5, bits));
    if (hasTranslate) SWF_TRY(WritePair(out, bits, matrix.translateX, matrix.translateY));
    return kOk;
}

Result ReadCxform(stream& in, Cxform& cxform, bool withAlpha) {
    cxform = Cxform{};
    u32 hasAdd = 0, hasMul = 0, bits = 0;
    SWF_TRY(in.ReadBits(1, hasAdd));
    SWF_TRY(in.ReadBits(1, hasMul));
    SWF_TRY(in.ReadBits(4, bits));
    const int channels = withAlpha ? 4 : 3;
    for (i16* terms : {hasMul ? cxform.mul : nullptr, hasAdd ? cxform.add : nullptr}) {
        if (!terms) continue;
        for (int c = 0; c < channels; ++c) {
            i32 value = 0;
            SWF_TRY(in.ReadSignedBits(bits, value));
            terms[c] = i16(value);
        }
    }
    return kOk;
}

// Terms need at most 15 signed bits, the widest that the 4-bit width field can name; wider
// values cannot be written and are refused rather than silently cut.
Result WriteCxform(stream& out, const Cxform& cxform, bool withAlpha) {
    const int channels = withAlpha ? 4 : 3;
    bool hasMul = false, hasAdd = false;
    for (int c = 0; c < channels; ++c) {
        hasMul = hasMul || cxform.mul[c] != 256;
        hasAdd = hasAdd || cxform.add[c] != 0;
    }
    const i16* m = cxform.mul;
    const i16* a = cxform.add;
    const u32 mulBits = hasMul ? SignedFieldWidth({m[0], m[1], m[2], m[3]}, kMaxCxformWidth) : 0;
    const u32 addBits = hasAdd ? SignedFieldWidth({a[0], a[1], a[2], a[3]}, kMaxCxformWidth) : 0;
    const u32 bits = std::max(mulBits, addBits);
    if (bits > kMaxCxformWidth) return kErrBadData;
    SWF_TRY(out.WriteBits(1, hasAdd));
    SWF_TRY(out.WriteBits(1, hasMul));
    SWF_TRY(out.WriteBits(4, bits));
    for (const i16* terms : {hasMul ? cxform.mul : nullptr, hasAdd ? cxform.add : nullptr}) {
        if (!terms) continue;
        for (int c = 0; c < channels; ++c) SWF_TRY(out.WriteBits(bits, u32(i32(terms[c]))));
    }
    return kOk;
}

void ApplyCxform(Rgba& colour, const Cxform& cxform) {
    u8* channels[4] = {&colour.red, &colour.green, &colour.blue, &colour.alpha};
    for (int c = 0; c < 4; ++c) {
        const i32 value = ((i32(*channels[c]) * cxform.mul[c]) >> 8) + cxform.add[c];
        *channels[c] = u8(std::clamp(value, 0, 255));
    }
}

Result PutMatrix(stream& block, const Matrix& m) {
    for (i32 v : {m.scaleX, m.rotateSkew0, m.rotateSkew1, m.scaleY, m.translateX, m.translateY})
        SWF_TRY(block.WriteU32(u32(v)));
    return kOk;
}

Matrix GetMatrix(const u8* p) {
    return Matrix{i32(readLE32(p)),      i32(readLE32(p + 4)),  i32(readLE32(p + 8)),
                  i32(readLE32(p + 12)), i32(readLE32(p + 16)), i32(readLE32(p + 20))};
}

Result PutCxform(stream& block, const Cxform& cxform) {
    u8 bytes[kCxformBlockSize];
    SetCxform(bytes, cxform);
    return block.WriteBytes(kCxformBlockSize, bytes);
}

Cxform GetCxform(const u8* p) {
    Cxform cxform;
    for (int c = 0; c < 4; ++c) {
        cxform.mul[c] = i16(readLE16(p + 2 * c));
        cxform.add[c] = i16(readLE16(p + 8 + 2 * c));
    }
    return cxform;
}

void SetCxform(u8* p, const Cxform& cxform) {
    for (int c = 0; c < 4; ++c) {
        writeLE16(p + 2 * c, u16(cxform.mul[c]));
        writeLE16(p + 8 + 2 * c, u16(cxform.add[c]));
    }
}

Result PutRect(stream& block, const Rect& r) {
    for (i32 v : {r.xMin, r.yMin, r.xMax, r.yMax}) SWF_TRY(block.WriteU32(u32(v)));
    return kOk;
}

Rect GetRect(const u8* p) {
    return Rect{i32(readLE32(p)), i32(readLE32(p + 4)), i32(readLE32(p + 8)), i32(readLE32(p + 12))};
}

Result PutRgba(stream& block, const Rgba& colour) {
    const u8 bytes[4] = {colour.red, colour.green, colour.blue, colour.alpha};
    return block.WriteBytes(4, bytes);
}

Rgba GetRgba(const u8* p) { return Rgba{p[0], p[1], p[2], p[3]}; }

}  // namespace swf
