#include "platform/media/playback/PlaybackClock.h"

#include <atomic>
#include <chrono>

namespace plat::media {

namespace {

std::atomic<PlaybackClockFunction> installed{nullptr};

}  // namespace

void setPlaybackClock(PlaybackClockFunction clock) { installed.store(clock); }

uint32_t playbackMillis() {
    const PlaybackClockFunction clock = installed.load();
    if (clock) return clock();
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

}  // namespace plat::media
