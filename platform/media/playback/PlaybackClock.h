#pragma once
// The millisecond clock that movie times run on. Inside the loadable runtime the program's
// clock is another copy of the clock module, so the client hands its own clock function over
// at connection (a test's fake clock then moves movies too); until then the monotonic clock
// is read in milliseconds, as the platform clock does.
#include <cstdint>

namespace plat::media {

using PlaybackClockFunction = uint32_t (*)();

// nullptr puts the monotonic clock back.
void setPlaybackClock(PlaybackClockFunction clock);
uint32_t playbackMillis();

}  // namespace plat::media
