#pragma once
// Tells a double press from two single ones: the second press comes within the desktop's
// double-click time and a few pixels of the first. Reads the program's clock.
#include "engine/base/EngineTypes.h"
#include "engine/regions/Rects.h"

namespace Ostrel {

constexpr u32 kDoublePressMs = 500;
constexpr i16 kDoublePressSlop = 4;

class DoublePress {
public:
    // True when this press completes a double press (the next press then starts afresh).
    bool Press(Point16 point);

private:
    bool pending_ = false;
    u32 time_ = 0;
    Point16 point_{0, 0};
};

}  // namespace Ostrel
