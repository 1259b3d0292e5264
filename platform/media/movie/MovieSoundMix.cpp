#include "platform/media/movie/MovieSoundMix.h"

#include <algorithm>
#include <vector>

#include "platform/media/movie/MovieSamples.h"

namespace plat::media {

namespace {

bool audible(const MrTrack& track) {
    return track.enabled && track.volume > 0 && track.media && track.media->type == kMrMediaSound;
}

// The first mix frame at or after movie time `time`.
int64_t frameAt(const MrMovie& movie, int64_t time) { return (time * kMixRate + movie.timeScale - 1) / movie.timeScale; }

// One stereo frame of a sample-held sound at media time `position`.
void sampleFrame(const MrMedia& media, int64_t position, int32_t* left, int32_t* right) {
    const MediaSample* sample = media.sampleAt(position);
    SoundFormat format;
    *left = *right = 0;
    if (!sample || !sample->data ||
        !readSoundDescription(sample->description.data(), sample->description.size(), &format))
        return;
    const size_t frame = size_t(position - sample->start) * format.channels * 2;
    const auto& bytes = *sample->data;
    if (frame + size_t(format.channels) * 2 > bytes.size()) return;
    auto at = [&](size_t offset) { return int16_t(uint16_t(bytes[offset] << 8 | bytes[offset + 1])); };
    *left = at(frame);
    *right = format.channels == 2 ? at(frame + 2) : *left;
}

}  // namespace

bool movieHasSound(const MrMovie& movie) {
    for (const auto& track : movie.tracks)
        if (audible(*track) && track->duration() > 0) return true;
    return false;
}

void mixMovieSound(const MrMovie& movie, int64_t first, int64_t count, int16_t* out) {
    std::vector<int32_t> sum(size_t(count) * kMixChannels, 0);
    std::vector<int16_t> read;
    for (const auto& track : movie.tracks) {
        if (!audible(*track)) continue;
        int64_t start = 0;
        for (const TrackEdit& edit : track->edits) {
            const int64_t end = start + edit.duration;
            const int64_t from = std::max(first, frameAt(movie, start));
            const int64_t to = std::min(first + count, frameAt(movie, end));
            if (edit.media && edit.mediaTime >= 0 && from < to) {
                const MrMedia& media = *edit.media;
                // Media units per mix frame, and where the edit's media stands at frame `from`.
                const double step = double(media.timeScale) * edit.rate / 65536.0 / kMixRate;
                const double origin =
                    double(edit.mediaTime) + (double(from) / kMixRate - double(start) / double(movie.timeScale)) *
                                                 double(media.timeScale) * edit.rate / 65536.0;
                if (media.reader) {
                    read.assign(size_t(to - from) * kMixChannels, 0);
                    media.reader->readSound(int64_t(origin), kMixRate, kMixChannels, read.data(), uint32_t(to - from));
                    for (size_t i = 0; i < read.size(); ++i)
                        sum[size_t(from - first) * kMixChannels + i] += read[i] * track->volume / 0x100;
                } else {
                    for (int64_t f = from; f < to; ++f) {
                        int32_t left = 0, right = 0;
                        sampleFrame(media, int64_t(origin + double(f - from) * step), &left, &right);
                        sum[size_t(f - first) * 2] += left * track->volume / 0x100;
                        sum[size_t(f - first) * 2 + 1] += right * track->volume / 0x100;
                    }
                }
            }
            start = end;
        }
    }
    for (size_t i = 0; i < sum.size(); ++i) out[i] = int16_t(std::clamp(sum[i], -32768, 32767));
}

}  // namespace plat::media
