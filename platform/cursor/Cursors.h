#pragma once
// The mouse cursor service: system cursors and cursors made from 32 × 32 monochrome planes,
// the cursor shown, the show count and the pointer position. Cursors are numbered; 0 is no
// cursor. The service only keeps state, which tests can read; the display driver shows what
// it says as it pumps events (platform/display). User-interface thread only.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace plat::cursor {

using CursorId = uint32_t;
constexpr CursorId kNoCursor = 0;
constexpr int kCursorSize = 32;
constexpr int kCursorPlaneBytes = kCursorSize * kCursorSize / 8;

enum class SystemCursor { Arrow, Cross, IBeam, Wait };
constexpr SystemCursor kLastSystemCursor = SystemCursor::Wait;

// Screen pixel = (screen AND and-plane) XOR xor-plane; rows top to bottom, most significant bit first.
struct CursorImage {
    int hotX = 0;
    int hotY = 0;
    std::array<uint8_t, kCursorPlaneBytes> andPlane{};
    std::array<uint8_t, kCursorPlaneBytes> xorPlane{};
    friend bool operator==(const CursorImage&, const CursorImage&) = default;
};

CursorId systemCursor(SystemCursor which);
// Which system cursor an id stands for; none for made cursors and kNoCursor.
std::optional<SystemCursor> systemCursorOf(CursorId cursor);
// kNoCursor when the hotspot lies outside the picture.
CursorId createCursor(const CursorImage& image);
// System cursors are never destroyed.
void destroyCursor(CursorId cursor);
// Returns the cursor shown before.
CursorId setCursor(CursorId cursor);
CursorId currentCursor();
// Raises or lowers the display count; the cursor is visible while it is 0 or more. Returns it.
int showCursor(bool show);
// The display count: the cursor is visible while it is 0 or more.
int cursorDisplayCount();
struct Position {
    int32_t x = 0;
    int32_t y = 0;
};
Position pointerPosition();

// State of the headless backend.
void setPointerPosition(Position at);
// Made cursors not yet destroyed.
std::size_t liveCursorCount();
const CursorImage* cursorImage(CursorId cursor);
// Back to no made cursors, no cursor shown, display count 0.
void resetCursors();

}  // namespace plat::cursor
