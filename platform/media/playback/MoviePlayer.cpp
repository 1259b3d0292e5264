#include "platform/media/playback/MoviePlayer.h"

#include <algorithm>

#include "platform/media/MediaWorld.h"
#include "platform/media/playback/PlaybackClock.h"
#include "platform/media/playback/ScaleTime.h"

namespace plat::media {

MoviePlayer::MoviePlayer(std::shared_ptr<MovieSource> source)
    : source_(std::move(source)),
      timeScale_(source_->timeScale()),
      box_(source_->naturalBounds()),
      sound_(kMovieSoundRate, kMovieSoundChannels) {}

MrErr MoviePlayer::setTimeScale(int32_t scale) {
    if (scale <= 0) return kMrParamErr;
    const int64_t now = time();
    anchorTime_ = scaleTime(now, scale, timeScale_, false);
    anchorMillis_ = playbackMillis();
    timeScale_ = scale;
    return kMrNoErr;
}

int64_t MoviePlayer::duration() const {
    return scaleTime(source_->duration(), timeScale_, source_->timeScale(), true);
}

int64_t MoviePlayer::time() const {
    int64_t t = anchorTime_;
    if (rate_ != 0) {
        // The u32 difference stays right across the clock's wrap.
        const uint32_t elapsed = playbackMillis() - anchorMillis_;
        const __int128 units = __int128(elapsed) * rate_ * timeScale_;
        t += int64_t(units / (__int128(1000) * 0x10000));
    }
    return std::clamp<int64_t>(t, 0, duration());
}

void MoviePlayer::setTime(int64_t time) {
    anchorTime_ = std::clamp<int64_t>(time, 0, duration());
    anchorMillis_ = playbackMillis();
    restartSound();
}

void MoviePlayer::setRate(int32_t rate) {
    anchorTime_ = time();
    anchorMillis_ = playbackMillis();
    rate_ = rate;
    restartSound();
}

bool MoviePlayer::done() const {
    const int64_t t = time();
    return rate_ < 0 ? t <= 0 : t >= duration();
}

int64_t MoviePlayer::sourceTimeOf(int64_t time) const {
    return scaleTime(time, source_->timeScale(), timeScale_, false);
}

int64_t MoviePlayer::nextFrameTime(int64_t time) const {
    const int64_t next = source_->nextFrameTime(sourceTimeOf(std::max<int64_t>(time, 0)));
    return next < 0 ? -1 : std::max(scaleTime(next, timeScale_, source_->timeScale(), true), time + 1);
}

void MoviePlayer::setBox(const MrRect& box) {
    box_ = box;
    redraw_ = true;
}

void MoviePlayer::setWorld(MrWorld* world) {
    world_ = world;
    redraw_ = true;
}

void MoviePlayer::setActive(bool active) {
    active_ = active;
    redraw_ = true;
}

MrErr MoviePlayer::task() {
    if (soundOn_.load()) sound_.fill(*source_, kMovieSoundAheadFrames);
    if (!active_ || !world_ || !source_->hasVideo()) return kMrNoErr;
    const int64_t sourceTime = sourceTimeOf(time());
    // Times within one picture share the start of the picture after it.
    const int64_t frame = source_->nextFrameTime(sourceTime);
    if (!redraw_ && frame == drawnFrame_) return kMrNoErr;
    const MrErr err = source_->drawFrame(sourceTime, world_->map, box_);
    if (err != kMrNoErr) return err;
    redraw_ = false;
    drawnFrame_ = frame;
    if (drawn_) drawn_();
    return kMrNoErr;
}

void MoviePlayer::restartSound() {
    const bool on = rate_ == kMovieNormalRate && source_->hasSound();
    soundOn_.store(false);
    if (!on) return;
    sound_.restart(scaleTime(sourceTimeOf(anchorTime_), kMovieSoundRate, source_->timeScale(), false));
    sound_.fill(*source_, kMovieSoundAheadFrames);
    soundOn_.store(true);
}

uint32_t MoviePlayer::takeSound(int16_t* out, uint32_t frames) {
    if (!out || !soundOn_.load()) return 0;
    return sound_.take(out, frames);
}

}  // namespace plat::media
