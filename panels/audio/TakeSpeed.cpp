#include "panels/audio/TakeSpeed.h"

namespace Ostrel {

u32 PlaybackRateAt(i32 position, i32 origin) {
    const i32 middle = origin + kKnobHalf;
    if (position > middle && position - middle <= kKnobHalf) return u32(position - middle + 32) * 2048;
    if (position < middle && position - origin >= 0) return u32(position - origin + 16) * 1280;
    return kNormalRate;
}

}  // namespace Ostrel
