#include "platform/media/entries/ModelMovieSource.h"

#include <algorithm>
#include <vector>

#include "platform/media/PixelRows.h"
#include "platform/media/movie/MovieSoundMix.h"
#include "platform/media/playback/ScaleTime.h"

namespace plat::media {

MrRect ModelMovieSource::naturalBounds() const {
    const MrRect box = movieBox(movie_);
    return MrRect{0, 0, int16_t(heightOf(box)), int16_t(widthOf(box))};
}

bool ModelMovieSource::hasVideo() const {
    return std::any_of(movie_.tracks.begin(), movie_.tracks.end(), [](const std::unique_ptr<MrTrack>& track) {
        return track->enabled && track->media && isVisual(track->media->type);
    });
}

bool ModelMovieSource::hasSound() const { return movieHasSound(movie_); }

MrErr ModelMovieSource::drawFrame(int64_t time, MrPixMap& map, const MrRect& box) {
    const int32_t w = widthOf(box), h = heightOf(box);
    if (w <= 0 || h <= 0) return kMrNoErr;
    if (frame_.width != w || frame_.height != h) {
        const MrErr err = frame_.reset(w, h);
        if (err != kMrNoErr) return err;
    }
    // The compositor draws the box at the frame's origin; the frame is then laid into the map.
    const MrErr err = compositor_.draw(time, frame_.map, box);
    if (err != kMrNoErr) return err;
    const int32_t left = std::max<int32_t>(box.left, map.bounds.left);
    const int32_t right = std::min<int32_t>(box.right, map.bounds.right);
    const int32_t top = std::max<int32_t>(box.top, map.bounds.top);
    const int32_t bottom = std::min<int32_t>(box.bottom, map.bounds.bottom);
    if (left >= right || top >= bottom || !map.base) return kMrNoErr;
    std::vector<uint8_t> row(size_t(right - left) * 4);
    for (int32_t y = top; y < bottom; ++y) {
        readRowRgba(frame_.map, y - box.top, left - box.left, right - left, row.data());
        writeRowRgba(map, y - map.bounds.top, left - map.bounds.left, right - left, row.data());
    }
    return kMrNoErr;
}

uint32_t ModelMovieSource::readSound(int64_t startTime, int32_t rate, int32_t channels, int16_t* out,
                                     uint32_t frames) {
    if (rate != kMixRate || channels != kMixChannels || !out || startTime < 0 || movie_.timeScale <= 0) return 0;
    const int64_t first = soundFrameOf(startTime, kMixRate, movie_.timeScale, soundNext_);
    const int64_t end = scaleTime(duration(), kMixRate, movie_.timeScale);
    const int64_t count = std::clamp<int64_t>(end - first, 0, frames);
    if (count > 0) mixMovieSound(movie_, first, count, out);
    soundNext_ = first + count;
    return uint32_t(count);
}

}  // namespace plat::media
