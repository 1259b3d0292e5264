#pragma once
// A movie file's source: its pictures through MovieVideoDecoder, its sound through a
// MovieSoundDecoder made for the rate and channels last asked for. Times are in the movie
// time scale of opened movies, 600 units a second.
#include <memory>
#include <vector>

#include "platform/media/playback/MovieSoundDecoder.h"
#include "platform/media/playback/MovieSource.h"
#include "platform/media/playback/MovieVideoDecoder.h"

namespace plat::media {

constexpr int32_t kOpenedMovieTimeScale = 600;

class FileMovieSource final : public MovieSource {
public:
    // A movie needs pictures or sound; one with neither is refused (kMrBadFormat).
    static MrErr open(std::shared_ptr<const MovieInput> input, std::shared_ptr<MovieSource>* out);

    int32_t timeScale() const override { return kOpenedMovieTimeScale; }
    int64_t duration() const override { return duration_; }
    MrRect naturalBounds() const override;
    bool hasVideo() const override { return video_ != nullptr; }
    bool hasSound() const override { return hasSound_; }
    MrErr drawFrame(int64_t time, MrPixMap& map, const MrRect& box) override;
    int64_t nextFrameTime(int64_t time) override;
    uint32_t readSound(int64_t startTime, int32_t rate, int32_t channels, int16_t* out, uint32_t frames) override;

private:
    FileMovieSource() = default;
    int64_t streamTimeOf(int64_t time) const;
    int64_t timeOfStream(int64_t timestamp) const;

    std::shared_ptr<const MovieInput> input_;
    std::unique_ptr<MovieVideoDecoder> video_;
    bool hasSound_ = false;
    int64_t duration_ = 0;
    // The last picture scaled, kept while the same frame is drawn at the same size.
    std::vector<uint8_t> rgb_;
    size_t rgbFrame_ = SIZE_MAX;
    int32_t rgbWidth_ = 0;
    int32_t rgbHeight_ = 0;
    int32_t rgbRowBytes_ = 0;
    // The sound decoder of the last read and where it stands.
    std::unique_ptr<MovieSoundDecoder> sound_;
    std::vector<int16_t> soundWaiting_;
    int64_t soundPosition_ = 0;
};

}  // namespace plat::media
