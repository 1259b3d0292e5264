#pragma once
// A movie's sound decoded ahead of its listener: the UI thread tops the queue up to a set
// number of frames ahead of what has been taken (fill), the mixer's device thread takes
// samples out of it (take) without ever decoding. Both sides hold the one lock only to move
// samples. Frames are 16-bit samples of every channel, at the rate the queue was made for.
#include <cstdint>
#include <deque>
#include <mutex>

#include "platform/media/playback/MovieSource.h"

namespace plat::media {

class MovieSoundAhead {
public:
    MovieSoundAhead(int32_t rate, int32_t channels) : rate_(rate), channels_(channels) {}

    int32_t rate() const { return rate_; }
    int32_t channels() const { return channels_; }

    // Drops what was decoded; the next frame taken is the sound's frame `frame`.
    void restart(int64_t frame);
    // Decodes from the source until `aheadFrames` frames wait or the sound ends. UI thread.
    void fill(MovieSource& source, int64_t aheadFrames);
    // Copies at most `frames` waiting frames into `out` and returns how many; any thread.
    uint32_t take(int16_t* out, uint32_t frames);
    int64_t waiting() const;
    // The sound's frame that take() gives next.
    int64_t position() const;

private:
    const int32_t rate_;
    const int32_t channels_;
    mutable std::mutex lock_;
    std::deque<int16_t> queue_;
    int64_t position_ = 0;
    int64_t decodedTo_ = 0;
    bool ended_ = false;
};

}  // namespace plat::media
