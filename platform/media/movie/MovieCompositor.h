#pragma once
// Draws a movie at a time: every enabled visual track used in the movie (or in its poster), back to front (higher layers behind;
// within a layer, later tracks in front), each picture scaled to its track's box and laid over
// the tracks behind by the track's graphics mode. Effect tracks draw their sources through the
// effect; tracks that feed an effect are not drawn on their own. Decoded pictures are kept
// while the compositor lives, so a still page is decoded once. Pixels are 32-bit BGRA.
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "platform/media/movie/AtomContainer.h"
#include "platform/media/movie/MovieModel.h"

namespace plat::media {

// A 32-bit BGRA picture that owns its pixels.
struct Frame {
    int32_t width = 0, height = 0;
    std::vector<uint8_t> pixels;
    MrPixMap map{};

    MrErr reset(int32_t w, int32_t h);
};

class MovieCompositor {
public:
    explicit MovieCompositor(const MrMovie& movie) : movie_(movie) {}
    // The movie at `time` with `box`'s top-left at the map's top-left; the map is 32-bit BGRA.
    // Only the tracks of the usage are drawn: those of the movie, or those of its poster.
    MrErr draw(int64_t time, MrPixMap& out, const MrRect& box, uint32_t usage = kMrUsageMovie);

private:
    bool drawTrackPicture(const MrTrack& track, int64_t time, Frame& out, int depth);
    const Frame* decodedSample(const MediaSample& sample);
    const AtomContainer* effectOf(const MediaSample& sample);

    // Keyed by the samples' bytes, which the keys keep alive: the bytes of a sample removed
    // from the movie cannot be freed and their address given to a new sample that would then
    // be drawn as the old one.
    using SampleBytes = std::shared_ptr<const std::vector<uint8_t>>;
    const MrMovie& movie_;
    std::map<SampleBytes, Frame> pictures_;
    std::map<SampleBytes, AtomContainer> effects_;
    Frame scratch_;
};

// The next movie time after `time` at which the picture can change (an edit or sample
// boundary, a reader's next frame, the next step of a running effect), -1 when none.
int64_t nextInterestingTime(const MrMovie& movie, int64_t time);
// Pictures per second drawn while an effect runs.
constexpr int64_t kEffectFramesPerSecond = 15;

}  // namespace plat::media
