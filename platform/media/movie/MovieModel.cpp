#include "platform/media/movie/MovieModel.h"

#include <algorithm>
#include <new>

namespace plat::media {

namespace {

MrErr lastMoviesError = kMrNoErr;

}  // namespace

MrErr moviesError() { return lastMoviesError; }
void setMoviesError(MrErr err) { lastMoviesError = err; }

bool isVisual(uint32_t mediaType) { return mediaType == kMrMediaVideo || mediaType == kMrMediaEffect; }

int64_t MrMedia::duration() const {
    if (reader) return reader->duration();
    return samples.empty() ? 0 : samples.back().start + samples.back().duration;
}

const MediaSample* MrMedia::sampleAt(int64_t time) const {
    if (time < 0 || samples.empty()) return nullptr;
    auto after = std::upper_bound(samples.begin(), samples.end(), time,
                                  [](int64_t t, const MediaSample& sample) { return t < sample.start; });
    if (after == samples.begin()) return nullptr;
    const MediaSample& sample = *(after - 1);
    return time < sample.start + sample.duration ? &sample : nullptr;
}

int64_t MrTrack::duration() const {
    int64_t total = 0;
    for (const TrackEdit& edit : edits) total += edit.duration;
    return total;
}

MrMovie::MrMovie() = default;
MrMovie::~MrMovie() = default;

int64_t MrMovie::duration() const {
    int64_t longest = 0;
    for (const auto& track : tracks) longest = std::max(longest, track->duration());
    return longest;
}

int32_t MrMovie::indexOf(const MrTrack* track) const {
    for (size_t i = 0; i < tracks.size(); ++i)
        if (tracks[i].get() == track) return int32_t(i + 1);
    return 0;
}

MrMovie* movieNew(int64_t timeScale) {
    if (timeScale <= 0) {
        setMoviesError(kMrParamErr);
        return nullptr;
    }
    auto* movie = new (std::nothrow) MrMovie;
    setMoviesError(movie ? kMrNoErr : kMrMemFullErr);
    if (movie) movie->timeScale = timeScale;
    return movie;
}

void movieDispose(MrMovie* movie) { delete movie; }

MrMovie* movieFromSource(std::shared_ptr<MovieSource> source) {
    const MrRect natural = source ? source->naturalBounds() : MrRect{};
    const bool video = source && source->hasVideo() && widthOf(natural) > 0 && heightOf(natural) > 0;
    const bool sound = source && source->hasSound();
    if (!source || source->timeScale() <= 0 || source->duration() <= 0 || (!video && !sound)) {
        setMoviesError(kMrNotAMovie);
        return nullptr;
    }
    MrMovie* movie = movieNew(source->timeScale());
    if (!movie) return nullptr;
    try {
        auto addTrack = [&](uint32_t type, int32_t w, int32_t h) {
            auto track = std::make_unique<MrTrack>();
            track->movie = movie;
            track->width = w << 16;
            track->height = h << 16;
            track->volume = type == kMrMediaSound ? 0x100 : 0;
            track->media = std::make_shared<MrMedia>();
            track->media->type = type;
            track->media->timeScale = source->timeScale();
            track->media->reader = source;
            track->edits.push_back(TrackEdit{source->duration(), track->media, 0, 0x10000});
            movie->tracks.push_back(std::move(track));
        };
        if (video) addTrack(kMrMediaVideo, widthOf(natural), heightOf(natural));
        if (sound) addTrack(kMrMediaSound, 0, 0);
    } catch (const std::bad_alloc&) {
        delete movie;
        setMoviesError(kMrMemFullErr);
        return nullptr;
    }
    return movie;
}

const TrackEdit* editAt(const MrTrack& track, int64_t time, int64_t* editStart) {
    if (time < 0) return nullptr;
    int64_t start = 0;
    for (const TrackEdit& edit : track.edits) {
        if (time < start + edit.duration) {
            if (editStart) *editStart = start;
            return &edit;
        }
        start += edit.duration;
    }
    return nullptr;
}

int64_t mediaTimeOf(const MrTrack& track, const TrackEdit& edit, int64_t editStart, int64_t time) {
    if (!edit.media || edit.mediaTime < 0) return -1;
    const __int128 offset = __int128(time - editStart) * edit.media->timeScale * edit.rate;
    return edit.mediaTime + int64_t(offset / (__int128(track.movie->timeScale) << 16));
}

namespace {

int64_t fixedTimes(int64_t value, int32_t fixed) { return (value * fixed) >> 16; }

}  // namespace

MrRect trackBox(const MrTrack& track) {
    const auto& m = track.matrix.m;
    const int64_t w = track.width >> 16, h = track.height >> 16;
    const int64_t x0 = m[2][0] >> 16, y0 = m[2][1] >> 16;
    const int64_t x1 = x0 + fixedTimes(w, m[0][0]), y1 = y0 + fixedTimes(h, m[1][1]);
    auto clamp16 = [](int64_t v) { return int16_t(std::clamp<int64_t>(v, -32768, 32767)); };
    return MrRect{clamp16(std::min(y0, y1)), clamp16(std::min(x0, x1)), clamp16(std::max(y0, y1)),
                  clamp16(std::max(x0, x1))};
}

MrRect movieBox(const MrMovie& movie) {
    if (movie.boxSet) return movie.box;
    MrRect box{};
    bool any = false;
    for (const auto& track : movie.tracks) {
        if (!track->enabled || !track->media || !isVisual(track->media->type)) continue;
        const MrRect r = trackBox(*track);
        if (r.bottom <= r.top || r.right <= r.left) continue;
        box = any ? MrRect{std::min(box.top, r.top), std::min(box.left, r.left), std::max(box.bottom, r.bottom),
                           std::max(box.right, r.right)}
                  : r;
        any = true;
    }
    return box;
}

}  // namespace plat::media
