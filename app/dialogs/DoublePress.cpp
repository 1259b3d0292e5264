#include "app/dialogs/DoublePress.h"

#include <cstdlib>

#include "platform/clock/Clock.h"

namespace Ostrel {

bool DoublePress::Press(Point16 point) {
    const u32 now = plat::clockMillis();
    const bool near = std::abs(point.h - point_.h) <= kDoublePressSlop && std::abs(point.v - point_.v) <= kDoublePressSlop;
    const bool isDouble = pending_ && near && now - time_ <= kDoublePressMs;
    pending_ = !isDouble;
    time_ = now;
    point_ = point;
    return isDouble;
}

}  // namespace Ostrel
