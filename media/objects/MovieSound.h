#pragma once
// A playing movie's sound heard through the engine's mixer: a wave source whose samples are
// what the media runtime decoded ahead for the movie (16-bit stereo at its movie sound rate),
// played by a WavePlay. The movie's own clock decides what is due, so the positions the mixer
// asks for are not used; while the movie is stopped, plays at another rate or has nothing
// decoded yet, the mixer hears silence. The sound shares the movie with its other holders, so
// the movie is disposed of only once the sound has stopped reading it, whichever lets go last.
// Start and Stop on the user-interface thread; the mixer reads on its own.
#include <atomic>
#include <memory>

#include "media/quicktime/QtMovies.h"
#include "media/swf/Interfaces.h"

class MovieSound final : public swf::i_wavedata {
public:
    explicit MovieSound(std::shared_ptr<MrMovie> movie) : movie_(std::move(movie)) {}
    ~MovieSound();
    MovieSound(const MovieSound&) = delete;
    MovieSound& operator=(const MovieSound&) = delete;

    // Plays from the movie's current time to its end; a second start plays it again.
    swf::Result Start();
    void Stop();
    bool playing() const { return player_ != nullptr; }

    u32 AddRef() override { return u32(++count_); }
    swf::Result QueryInterface(const std::type_info& id, void** out) override;
    u32 Release() override { return u32(--count_); }
    void Destroy() override;
    swf::Result GetFormat(u16& channels, u16& bitsPerSample, u32& sampleRate, u32& sampleCount) override;
    swf::Result ReadSamples(u32 position, u32 count, void* samples) override;

private:
    std::shared_ptr<MrMovie> movie_;  // let go after the destructor has stopped the player
    swf::i_waveplay* player_ = nullptr;
    std::atomic<i32> count_{0};
};
