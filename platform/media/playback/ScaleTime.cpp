#include "platform/media/playback/ScaleTime.h"

namespace plat::media {

int64_t scaleTime(int64_t a, int64_t b, int64_t c, bool up) {
    const __int128 product = __int128(a) * b;
    __int128 q = product / c;
    if (up && q * c < product) ++q;
    if (!up && q * c > product) --q;
    return int64_t(q);
}

int64_t soundFrameOf(int64_t time, int64_t rate, int64_t timeScale, int64_t next) {
    const int64_t frame = scaleTime(time, rate, timeScale);
    const int64_t tolerance = rate / timeScale + 1;
    return next >= 0 && frame >= next - tolerance && frame <= next + tolerance ? next : frame;
}

}  // namespace plat::media
