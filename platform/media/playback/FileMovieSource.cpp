#include "platform/media/playback/FileMovieSource.h"

#include <algorithm>
#include <cstring>

#include "platform/media/PixelRows.h"
#include "platform/media/playback/ScaleTime.h"

namespace plat::media {

MrErr FileMovieSource::open(std::shared_ptr<const MovieInput> input, std::shared_ptr<MovieSource>* out) {
    if (!input || !out) return kMrParamErr;
    std::shared_ptr<FileMovieSource> s(new FileMovieSource);
    s->input_ = input;
    const MrErr videoErr = MovieVideoDecoder::open(input, &s->video_);
    if (videoErr != kMrNoErr && videoErr != kMrNoCodec) return videoErr;
    std::unique_ptr<MovieSoundDecoder> sound;
    const MrErr soundErr = MovieSoundDecoder::open(input, 0, 0, &sound);
    if (soundErr != kMrNoErr && soundErr != kMrNoCodec) return soundErr;
    if (!s->video_ && !sound) return kMrBadFormat;
    if (s->video_) s->duration_ = s->timeOfStream(s->video_->end());
    if (sound) {
        s->hasSound_ = true;
        s->duration_ = std::max(s->duration_, scaleTime(sound->frames(), kOpenedMovieTimeScale, sound->rate(), true));
    }
    *out = std::move(s);
    return kMrNoErr;
}

int64_t FileMovieSource::streamTimeOf(int64_t time) const {
    return scaleTime(time, video_->timeBaseDen(), int64_t(kOpenedMovieTimeScale) * video_->timeBaseNum());
}

int64_t FileMovieSource::timeOfStream(int64_t timestamp) const {
    return scaleTime(timestamp, int64_t(kOpenedMovieTimeScale) * video_->timeBaseNum(), video_->timeBaseDen(), true);
}

MrRect FileMovieSource::naturalBounds() const {
    if (!video_) return MrRect{0, 0, 0, 0};
    return MrRect{0, 0, int16_t(video_->height()), int16_t(video_->width())};
}

MrErr FileMovieSource::drawFrame(int64_t time, MrPixMap& map, const MrRect& box) {
    if (!video_) return kMrNoErr;
    const int32_t w = widthOf(box), h = heightOf(box);
    if (w <= 0 || h <= 0) return kMrNoErr;
    const int64_t timestamp = streamTimeOf(std::max<int64_t>(time, 0));
    const size_t frame = video_->frameIndexAt(timestamp);
    if (frame != rgbFrame_ || w != rgbWidth_ || h != rgbHeight_) {
        rgbFrame_ = SIZE_MAX;
        if (!video_->pictureAt(timestamp, w, h, rgb_, &rgbRowBytes_)) return kMrBadFormat;
        rgbFrame_ = frame, rgbWidth_ = w, rgbHeight_ = h;
    }
    // The box lies in the map's coordinates; only its part inside the map is written.
    const int32_t left = std::max<int32_t>(box.left, map.bounds.left);
    const int32_t right = std::min<int32_t>(box.right, map.bounds.right);
    const int32_t top = std::max<int32_t>(box.top, map.bounds.top);
    const int32_t bottom = std::min<int32_t>(box.bottom, map.bounds.bottom);
    if (left >= right || top >= bottom || !map.base) return kMrNoErr;
    for (int32_t y = top; y < bottom; ++y) {
        const uint8_t* row = rgb_.data() + size_t(y - box.top) * size_t(rgbRowBytes_) + size_t(left - box.left) * 3;
        writeRowRgb(map, y - map.bounds.top, left - map.bounds.left, right - left, row);
    }
    return kMrNoErr;
}

int64_t FileMovieSource::nextFrameTime(int64_t time) {
    if (!video_) return -1;
    const auto& starts = video_->frameStarts();
    const auto next = std::upper_bound(starts.begin(), starts.end(), streamTimeOf(std::max<int64_t>(time, 0)));
    if (next == starts.end()) return -1;
    // The first time unit at which that frame is the one shown.
    return std::max(timeOfStream(*next), time + 1);
}

uint32_t FileMovieSource::readSound(int64_t startTime, int32_t rate, int32_t channels, int16_t* out,
                                    uint32_t frames) {
    if (!hasSound_ || !out || frames == 0 || startTime < 0) return 0;
    if (!sound_ || sound_->rate() != rate || sound_->channels() != channels) {
        sound_.reset();
        if (MovieSoundDecoder::open(input_, rate, channels, &sound_) != kMrNoErr) return 0;
        soundPosition_ = -1;
    }
    const int64_t frame = soundFrameOf(startTime, rate, kOpenedMovieTimeScale, soundPosition_);
    if (frame != soundPosition_) {
        sound_->seekTo(frame);
        soundWaiting_.clear();
        soundPosition_ = frame;
    }
    const size_t wanted = size_t(frames) * size_t(channels);
    while (soundWaiting_.size() < wanted && sound_->decodeChunk(soundWaiting_)) {
    }
    const size_t made = std::min(wanted, soundWaiting_.size());
    std::copy_n(soundWaiting_.begin(), made, out);
    soundWaiting_.erase(soundWaiting_.begin(), soundWaiting_.begin() + std::ptrdiff_t(made));
    soundPosition_ += int64_t(made / size_t(channels));
    return uint32_t(made / size_t(channels));
}

MrErr openMovieSource(const std::string& path, uint64_t offset, uint64_t length, std::shared_ptr<MovieSource>* out) {
    std::shared_ptr<const MovieInput> input;
    const MrErr err = MovieInput::openFile(path, offset, length, &input);
    if (err != kMrNoErr) return err;
    return FileMovieSource::open(std::move(input), out);
}

MrErr openMovieSourceFromMemory(const uint8_t* data, size_t size, std::shared_ptr<MovieSource>* out) {
    if (!data && size) return kMrParamErr;
    return FileMovieSource::open(MovieInput::copyOf(data, size), out);
}

}  // namespace plat::media
