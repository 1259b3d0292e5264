#pragma once
// What the display layer tells the program about the screen and what it hands it from the
// user: display modes, input events in a driver-neutral form, and cursor pictures.
#include <cstdint>
#include <vector>

#include "platform/gdi/Geometry.h"

namespace plat {

struct DisplayMode {
    int32_t width = 0;
    int32_t height = 0;
    uint16_t bitsPerPixel = 0;
    uint32_t refreshHz = 0;  // 0: not known
    friend bool operator==(const DisplayMode&, const DisplayMode&) = default;
};

enum class MouseButton { Left, Right, Middle };

// One thing the user did, as a driver read it or a test scripted it. Positions are in client
// pixels of the window the event belongs to.
struct InputEvent {
    enum class Kind { KeyDown, KeyUp, MouseMove, MouseDown, MouseUp, MouseDoubleClick };
    Kind kind = Kind::MouseMove;
    uint8_t virtualKey = 0;
    uint8_t scanCode = 0;
    bool autoRepeat = false;
    MouseButton button = MouseButton::Left;
    gdi::Point position;
};

enum class SystemCursor { Arrow, IBeam, Wait, Cross, Hand, SizeAll, No };

// A cursor picture in the two-mask form the program builds: 1 bit per pixel, rows of
// width / 8 bytes, most significant bit leftmost. Where the AND bit is 0 the XOR bit gives
// black (0) or white (1); where it is 1 the screen shows through (XOR 0) or is inverted (XOR 1).
struct CursorImage {
    int32_t width = 32;
    int32_t height = 32;
    gdi::Point hotspot;
    std::vector<uint8_t> andMask;
    std::vector<uint8_t> xorMask;
};

using CursorHandle = uintptr_t;
constexpr CursorHandle kNoCursor = 0;

}  // namespace plat
