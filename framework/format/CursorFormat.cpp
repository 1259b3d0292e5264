#include "framework/format/CursorFormat.h"

#include <algorithm>

#include "framework/format/ByteStream.h"
#include "framework/format/FormatErrors.h"

namespace {

bool hotSpotInside(const CursorRecord& c) {
    return c.hotX >= 0 && c.hotX < kCursorEdge && c.hotY >= 0 && c.hotY < kCursorEdge;
}

}  // namespace

EngineErr parseCursorResource(std::span<const u8> bytes, CursorRecord* out) {
    ByteIn in(bytes);
    const u16 version = in.u16be();
    if (in.ok() && version != kCursorFormatVersion) return kFmtErrVersion;
    CursorRecord cursor;
    cursor.hotX = in.i16be();
    cursor.hotY = in.i16be();
    if (!in.ok()) return in.error();
    if (!hotSpotInside(cursor)) return kFmtErrBadRect;
    if (in.remaining() < 2 * kCursorPlaneBytes) return kFmtErrTruncated;
    if (in.remaining() > 2 * kCursorPlaneBytes) return kFmtErrTrailingBytes;
    const u8* planes = bytes.data() + (bytes.size() - 2 * kCursorPlaneBytes);
    std::copy_n(planes, kCursorPlaneBytes, cursor.andPlane.begin());
    std::copy_n(planes + kCursorPlaneBytes, kCursorPlaneBytes, cursor.xorPlane.begin());
    *out = cursor;
    return kErrNone;
}

EngineErr writeCursorResource(const CursorRecord& cursor, std::vector<u8>* out) {
    if (!hotSpotInside(cursor)) return kFmtErrBadRect;
    ByteOut bytes;
    bytes.u16be(kCursorFormatVersion);
    bytes.i16be(cursor.hotX);
    bytes.i16be(cursor.hotY);
    bytes.bytes().insert(bytes.bytes().end(), cursor.andPlane.begin(), cursor.andPlane.end());
    bytes.bytes().insert(bytes.bytes().end(), cursor.xorPlane.begin(), cursor.xorPlane.end());
    *out = std::move(bytes.bytes());
    return kErrNone;
}
