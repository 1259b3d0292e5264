#pragma once
// Mixes every enabled sound track of a movie into one stereo stream of signed 16-bit frames at
// kMixRate: each edit's media is read from the right place at its rate, scaled by the track's
// volume (0x100 = as recorded) and added, clipped at full scale.
#include <cstdint>

#include "platform/media/movie/MovieModel.h"

namespace plat::media {

constexpr int32_t kMixRate = 22050;
constexpr int32_t kMixChannels = 2;

bool movieHasSound(const MrMovie& movie);
// Frames [first, first + count) of the mix (frame n plays at n / kMixRate seconds).
void mixMovieSound(const MrMovie& movie, int64_t first, int64_t count, int16_t* out);

}  // namespace plat::media
