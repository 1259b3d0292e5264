#pragma once
// A picture a scroller cell shows: the bytes of an engine bitmap (or of an alpha mask for the
// tinted strips), kept alive by whoever handed them over.
#include "engine/base/EngineTypes.h"

namespace Ostrel {

struct ScrollerPicture {
    const u8* bytes = nullptr;
    u32 size = 0;
};

}  // namespace Ostrel
