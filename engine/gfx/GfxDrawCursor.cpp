// The mouse cursor through the platform's cursor service: system cursors, cursors made from
// 16 × 16 records (the last record made is remembered so that setting it again reuses its
// cursor) and the show count (0 visible, negative hidden).
#include <array>
#include <cstring>

#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"
#include "platform/cursor/Cursors.h"

namespace {

using plat::cursor::CursorId;

constexpr u32 kRecordRows = 16;
constexpr u32 kMaskOffset = 32;
constexpr u32 kHotSpotVertical = 64;
constexpr u32 kHotSpotHorizontal = 66;
constexpr u16 kMaxHotSpot = 16;
constexpr u32 kPlaneRowBytes = plat::cursor::kCursorSize / 8;

struct CursorState {
    CursorId inUse = plat::cursor::kNoCursor;
    // Not made here (a system cursor or another table's): never destroyed here.
    bool system = true;
    std::array<u8, kGfxCursorRecordSize> record{};
    i16 showCount = 0;
};

CursorState& cursorState() {
    static CursorState s;
    return s;
}

// Shows the cursor (none while hidden) and keeps it, destroying a made one it replaces.
void useCursor(CursorId cursor, bool system) {
    CursorState& s = cursorState();
    plat::cursor::setCursor(s.showCount < 0 ? plat::cursor::kNoCursor : cursor);
    if (cursor != s.inUse) {
        if (!s.system) plat::cursor::destroyCursor(s.inUse);
        s.inUse = cursor;
    }
    s.system = system;
}

plat::cursor::CursorImage imageOf(const u8* record) {
    plat::cursor::CursorImage image;
    image.hotY = readBE16(record + kHotSpotVertical);
    image.hotX = readBE16(record + kHotSpotHorizontal);
    image.andPlane.fill(0xFF);
    for (u32 row = 0; row < kRecordRows; ++row)
        for (u32 byte = 0; byte < 2; ++byte) {
            u8 picture = record[2 * row + byte], mask = record[kMaskOffset + 2 * row + byte];
            image.andPlane[row * kPlaneRowBytes + byte] = u8(~mask);
            image.xorPlane[row * kPlaneRowBytes + byte] = u8(~picture & mask);
        }
    return image;
}

}  // namespace

EngineErr gfxSetCursor(u16 systemCursor) {
    if (systemCursor > kGfxCursorWait) return gfxSetError(kGfxErrBadValue);
    useCursor(plat::cursor::systemCursor(plat::cursor::SystemCursor(systemCursor)), true);
    return gfxSetError(kErrNone);
}

EngineErr gfxSetCursor(const u8* record) {
    CursorState& s = cursorState();
    if (!s.system && std::memcmp(record, s.record.data(), kGfxCursorRecordSize) == 0) {
        useCursor(s.inUse, false);
        return gfxSetError(kErrNone);
    }
    if (readBE16(record + kHotSpotVertical) > kMaxHotSpot || readBE16(record + kHotSpotHorizontal) > kMaxHotSpot)
        return gfxSetError(kGfxErrHotSpot);
    CursorId made = plat::cursor::createCursor(imageOf(record));
    if (made == plat::cursor::kNoCursor) return gfxSetError(kGfxErrGdi);
    std::memcpy(s.record.data(), record, kGfxCursorRecordSize);
    useCursor(made, false);
    return gfxSetError(kErrNone);
}

EngineErr gfxSetCursorId(CursorId cursor) {
    if (cursor != plat::cursor::kNoCursor && !plat::cursor::systemCursorOf(cursor) && !plat::cursor::cursorImage(cursor))
        cursor = plat::cursor::systemCursor(plat::cursor::SystemCursor::Arrow);
    useCursor(cursor, true);
    return gfxSetError(kErrNone);
}

GfxCursorInUse gfxGetCursorInUse() {
    const CursorState& s = cursorState();
    return GfxCursorInUse{s.inUse, !s.system, s.record};
}

EngineErr gfxRestoreCursor(const GfxCursorInUse& cursor) {
    return cursor.made ? gfxSetCursor(cursor.record.data()) : gfxSetCursorId(cursor.id);
}

void gfxHideCursor() {
    CursorState& s = cursorState();
    if (s.showCount == 0) {
        plat::cursor::showCursor(false);
        plat::cursor::setCursor(plat::cursor::kNoCursor);
    }
    --s.showCount;
}

i16 gfxShowCursor() {
    CursorState& s = cursorState();
    if (s.showCount == -1) {
        plat::cursor::showCursor(true);
        plat::cursor::setCursor(s.inUse);
    }
    return ++s.showCount;
}

i16 gfxSetCursorLevel(i16 level) {
    i16 previous = cursorState().showCount;
    while (cursorState().showCount > level) gfxHideCursor();
    while (cursorState().showCount < level) gfxShowCursor();
    return previous;
}

void gfxGetMouse(Point16* out) {
    plat::cursor::Position at = plat::cursor::pointerPosition();
    *out = Point16{i16(at.x), i16(at.y)};
}

void gfxStartCursor() {
    gfxSetCursor(kGfxCursorArrow);
    cursorState().showCount = 1;
}

void gfxStopCursor() {
    cursorState().showCount = 0;
    useCursor(plat::cursor::kNoCursor, true);
}
