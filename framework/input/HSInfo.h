#pragma once
// What a hot spot is made from: its area, kind, cursors, messages and group. Callers take the
// defaults and set what differs.
#include "engine/base/EngineTypes.h"
#include "engine/regions/Rects.h"

namespace Ostrel {

// Kinds of hot spot: a fixed rectangle, the rectangle of a shape (kept by the item's owner
// through SetRect; group action 4 destroys these), and a region.
constexpr u16 kHotSpotRect = 4;
constexpr u16 kHotSpotShapeRect = 5;
constexpr u16 kHotSpotRegion = 14;

// Cursor indices: 0..28 the cursor table, 30..33 the standard cursors (arrow, cross, text,
// wait). SetCursorIds ignores anything past kCursorIndexLast.
constexpr u16 kCursorTableSize = 29;
constexpr u16 kCursorIndexStandard = 30;
constexpr u16 kCursorIndexLast = 33;
constexpr u16 kDefaultCursorOver = 9;
constexpr u16 kDefaultCursorPressed = 8;

struct HSInfo {
    HSInfo() = default;

    Rect16 rect{0, 0, 0, 0};
    u16 kind = kHotSpotRect;
    u16 cursorOver = kDefaultCursorOver;
    u16 cursorPressed = kDefaultCursorPressed;
    // Posted to the receiver when a press ends over the item; 0: none.
    u32 message = 0;
    // Posted to the receiver when the pointer comes over the item (parameter 2 = 1) and
    // leaves it (0); 0: none.
    u32 message2 = 0;
    u16 group = 0;
};

}  // namespace Ostrel
