#include "platform/media/playback/ScaleTime.h"

namespace plat::media {

int64_t scaleTime(int64_t a, int64_t b, int64_t c, bool up) {
    const __int128 product = __int128(a) * b;
    __int128 q = product / c;
    if (up && q * c < product) ++q;
    if (!up && q * c > product) --q;
    return int64_t(q);
}

}  // namespace plat::media
