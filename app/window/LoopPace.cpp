#include "app/window/LoopPace.h"

namespace Ostrel {

u32 LoopPace::AfterTick(bool drew) {
    if (drew)
        quietTicks_ = 0;
    else if (quietTicks_ < kQuietTicks)
        ++quietTicks_;
    return Period();
}

u32 LoopPace::AfterInput() {
    quietTicks_ = 0;
    return Period();
}

}  // namespace Ostrel
