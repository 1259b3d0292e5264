#include "platform/media/playback/MovieSoundAhead.h"

#include <algorithm>
#include <vector>

namespace plat::media {

namespace {

constexpr uint32_t kChunkFrames = 4096;

}  // namespace

void MovieSoundAhead::restart(int64_t frame) {
    std::lock_guard<std::mutex> guard(lock_);
    queue_.clear();
    position_ = decodedTo_ = std::max<int64_t>(frame, 0);
    ended_ = false;
}

void MovieSoundAhead::fill(MovieSource& source, int64_t aheadFrames) {
    std::vector<int16_t> chunk(size_t(kChunkFrames) * size_t(channels_));
    while (!ended_ && waiting() < aheadFrames) {
        const int64_t startTime = int64_t(__int128(decodedTo_) * source.timeScale() / rate_);
        const uint32_t made = source.readSound(startTime, rate_, channels_, chunk.data(), kChunkFrames);
        std::lock_guard<std::mutex> guard(lock_);
        queue_.insert(queue_.end(), chunk.begin(), chunk.begin() + std::ptrdiff_t(size_t(made) * size_t(channels_)));
        decodedTo_ += made;
        ended_ = made == 0;
    }
}

uint32_t MovieSoundAhead::take(int16_t* out, uint32_t frames) {
    std::lock_guard<std::mutex> guard(lock_);
    const size_t channels = size_t(channels_);
    const size_t n = std::min<size_t>(frames, queue_.size() / channels);
    std::copy_n(queue_.begin(), n * channels, out);
    queue_.erase(queue_.begin(), queue_.begin() + std::ptrdiff_t(n * channels));
    position_ += int64_t(n);
    return uint32_t(n);
}

int64_t MovieSoundAhead::waiting() const {
    std::lock_guard<std::mutex> guard(lock_);
    return int64_t(queue_.size() / size_t(channels_));
}

int64_t MovieSoundAhead::position() const {
    std::lock_guard<std::mutex> guard(lock_);
    return position_;
}

}  // namespace plat::media
