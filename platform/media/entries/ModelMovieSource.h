#pragma once
// An edited movie as a playback source: its pictures drawn by the compositor, its sound
// mixed from its sound tracks, its times those of the movie. The movie must outlive it.
#include <memory>

#include "platform/media/movie/MovieCompositor.h"
#include "platform/media/movie/MovieModel.h"
#include "platform/media/playback/MovieSource.h"

namespace plat::media {

class ModelMovieSource final : public MovieSource {
public:
    explicit ModelMovieSource(const MrMovie& movie) : movie_(movie), compositor_(movie) {}

    int32_t timeScale() const override { return int32_t(movie_.timeScale); }
    int64_t duration() const override { return movie_.duration(); }
    MrRect naturalBounds() const override;
    bool hasVideo() const override;
    bool hasSound() const override;
    MrErr drawFrame(int64_t time, MrPixMap& map, const MrRect& box) override;
    int64_t nextFrameTime(int64_t time) override { return nextInterestingTime(movie_, time); }
    // The mix is made at kMixRate in stereo; other rates and channels get nothing.
    uint32_t readSound(int64_t startTime, int32_t rate, int32_t channels, int16_t* out, uint32_t frames) override;

private:
    const MrMovie& movie_;
    MovieCompositor compositor_;
    Frame frame_;
    int64_t soundNext_ = -1;  // the mix frame after the last one read
};

}  // namespace plat::media
