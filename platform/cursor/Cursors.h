#pragma once
// The mouse cursor service: system cursors and cursors made from 32 × 32 monochrome planes,
// the cursor shown, the show count and the pointer position. Cursors are numbered; 0 is no
// cursor. This headless backend keeps everything as state that tests can read; display
// backends put it on the screen. User-interface thread only.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace plat::cursor {

using CursorId = uint32_t;
constexpr CursorId kNoCursor = 0;
constexpr int kCursorSize = 32;
constexpr int kCursorPlaneBytes = kCursorSize * kCursorSize / 8;

enum class SystemCursor { Arrow, Cross, IBeam, Wait };

// Screen pixel = (screen AND and-plane) XOR xor-plane; rows top to bottom, most significant bit first.
struct CursorImage {
    int hotX = 0;
    int hotY = 0;
    std::array<uint8_t, kCursorPlaneBytes> andPlane{};
    std::array<uint8_t, kCursorPlaneBytes> xorPlane{};
};

CursorId systemCursor(SystemCursor which);
// kNoCursor when the cursor cannot be made.
CursorId createCursor(const CursorImage& image);
// System cursors are never destroyed.
void destroyCursor(CursorId cursor);
// Returns the cursor shown before.
CursorId setCursor(CursorId cursor);
CursorId currentCursor();
// Raises or lowers the display count; the cursor is visible while it is 0 or more. Returns it.
int showCursor(bool show);
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
