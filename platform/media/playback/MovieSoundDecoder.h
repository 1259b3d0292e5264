#pragma once
// The sound of a movie as 16-bit signed samples in the machine's order, one or two channels
// interleaved, at the stream's own rate or resampled to another: decoded chunk by chunk from
// any frame position (frames counted at the output rate).
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/media/playback/MovieDemuxer.h"

struct SwrContext;

namespace plat::media {

constexpr int32_t kMovieSoundMinRate = 4000;
constexpr int32_t kMovieSoundMaxRate = 192000;

class MovieSoundDecoder {
public:
    ~MovieSoundDecoder();
    MovieSoundDecoder(const MovieSoundDecoder&) = delete;
    MovieSoundDecoder& operator=(const MovieSoundDecoder&) = delete;

    // `rate` 0 keeps the stream's rate, `channels` 0 its channels (at most two). kMrNoCodec for a
    // movie without sound; a rate outside the limits is refused (kMrBadFormat), in or out.
    static MrErr open(std::shared_ptr<const MovieInput> input, int32_t rate, int32_t channels,
                      std::unique_ptr<MovieSoundDecoder>* out);

    int32_t rate() const { return rate_; }
    int32_t channels() const { return channels_; }
    // Frames of the whole sound, as the container gives it.
    int64_t frames() const { return frames_; }

    // The next chunk starts at `frame`.
    void seekTo(int64_t frame);
    // Appends the next decoded samples to `samples`; false at the end of the sound.
    bool decodeChunk(std::vector<int16_t>& samples);

private:
    MovieSoundDecoder() = default;
    // What the resampler still holds once the stream has ended.
    bool flushConverter(std::vector<int16_t>& samples);

    std::unique_ptr<MovieDemuxer> demuxer_;
    SwrContext* converter_ = nullptr;
    AVFrame* frame_ = nullptr;
    int32_t rate_ = 0;
    int32_t channels_ = 0;
    int64_t frames_ = 0;
    int64_t target_ = 0;     // the first frame wanted after a seek
    int64_t next_ = -1;      // the position of the next frame decoded, -1 until one is seen
};

}  // namespace plat::media
