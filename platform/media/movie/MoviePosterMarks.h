#pragma once
// Marks a written movie file's poster: one of its tracks becomes the movie's still picture only
// (enabled, used for the poster, never shown while the movie plays) and the movie's poster time
// is set. The writer of the file knows neither; they are put into its atoms afterwards, every
// atom's size checked against what holds it.
#include <cstdint>
#include <string>

#include "platform/media/MediaRuntimeAbi.h"

namespace plat::media {

// The track header flags of a track used for the poster alone.
constexpr uint32_t kPosterTrackFlags = 0x000009;

// `trackNumber` counts the movie's tracks from 1 in file order; `posterTime` is in units of
// `timeScale`. kMrBadFormat when the file has no such movie or track, kMrWriteErr when it
// cannot be changed.
MrErr markMoviePoster(const std::string& path, int32_t trackNumber, int64_t posterTime, int64_t timeScale);

}  // namespace plat::media
