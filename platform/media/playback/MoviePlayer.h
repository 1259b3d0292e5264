#pragma once
// The playing state of one movie over its source: the time, which runs from an anchor at the
// rate (16.16 fixed point, 0 when stopped) on the playback clock, clamped to the movie; the
// time scale its times are given in; the box it draws into in its world; and its sound,
// decoded ahead for the mixer while it plays forward at the normal rate. task() draws the
// picture due when it differs from the one drawn, then calls the drawing-complete callback,
// and tops the sound up. UI thread, apart from takeSound (any thread).
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/media/playback/MovieSoundAhead.h"
#include "platform/media/playback/MovieSource.h"

namespace plat::media {

constexpr int32_t kMovieNormalRate = 0x10000;
// The sound handed to the mixer: 16-bit stereo at this rate, a second ahead.
constexpr int32_t kMovieSoundRate = 22050;
constexpr int32_t kMovieSoundChannels = 2;
constexpr int64_t kMovieSoundAheadFrames = kMovieSoundRate;

class MoviePlayer {
public:
    explicit MoviePlayer(std::shared_ptr<MovieSource> source);

    MovieSource& source() { return *source_; }
    const std::shared_ptr<MovieSource>& sharedSource() const { return source_; }

    int32_t timeScale() const { return timeScale_; }
    // Times keep their moment: the current time is carried over into the new scale.
    MrErr setTimeScale(int32_t scale);
    int64_t duration() const;
    int64_t time() const;
    void setTime(int64_t time);
    int32_t rate() const { return rate_; }
    void setRate(int32_t rate);
    void start() { setRate(kMovieNormalRate); }
    void stop() { setRate(0); }
    // At the end when going forward (or stopped), at the start when going back.
    bool done() const;
    // The start of the next picture after `time`, or -1.
    int64_t nextFrameTime(int64_t time) const;

    MrRect box() const { return box_; }
    void setBox(const MrRect& box);
    void setWorld(MrWorld* world);
    MrWorld* world() const { return world_; }
    void setActive(bool active);
    bool active() const { return active_; }
    void setDrawingComplete(std::function<void()> callback) { drawn_ = std::move(callback); }

    MrErr task();

    // The sound due now, for the mixer: frames of kMovieSoundChannels samples; 0 while the
    // movie does not play forward at the normal rate or nothing is decoded yet.
    uint32_t takeSound(int16_t* out, uint32_t frames);

private:
    int64_t sourceTimeOf(int64_t time) const;
    void restartSound();

    std::shared_ptr<MovieSource> source_;
    int32_t timeScale_;
    int32_t rate_ = 0;
    int64_t anchorTime_ = 0;
    uint32_t anchorMillis_ = 0;
    MrRect box_;
    MrWorld* world_ = nullptr;
    bool active_ = true;
    bool redraw_ = true;
    int64_t drawnFrame_ = -2;
    std::function<void()> drawn_;
    MovieSoundAhead sound_;
    std::atomic<bool> soundOn_{false};
};

}  // namespace plat::media
