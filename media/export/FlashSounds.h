#pragma once
// The stand-alone player's sounds: every sound its Flash movie starts is read whole when it
// starts, converted to 16-bit stereo at kFlashSoundRate and mixed into one output of the
// platform's audio device, which pulls the mix on its own thread. Without a device the movie
// plays in silence. A sound heard to its end gives its source back at the next Poll, on the
// user-interface thread, as the SWF engine wants. Otherwise user-interface thread only.
#include <memory>
#include <mutex>
#include <vector>

#include "media/swf/Interfaces.h"
#include "platform/audio/AudioBackend.h"

constexpr u32 kFlashSoundRate = 22050;
// The longest sound kept, in frames of the output: ten minutes.
constexpr u32 kFlashSoundMaxFrames = kFlashSoundRate * 600;

class FlashSounds {
public:
    // Opens the output of the platform's first audio device, when there is one.
    FlashSounds();
    ~FlashSounds();
    FlashSounds(const FlashSounds&) = delete;
    FlashSounds& operator=(const FlashSounds&) = delete;

    bool HasOutput() const { return sink_ != nullptr; }
    // The SWF host's sound player over `source`.
    swf::Result CreateWavePlay(swf::i_waveplay*& player, swf::i_wavedata* source);
    // Sounds heard to their end give their sources back.
    void Poll();
    // How many sounds are being heard.
    size_t Playing() const;

private:
    class Player;
    struct Voice {
        u32 id = 0;
        std::vector<i16> frames;  // left, right
        size_t at = 0;
        u64 left = 0;  // frames still to be heard
    };

    u32 Start(swf::i_wavedata& source, u32 startMs, u16 plays);
    void Stop(u32 voice);
    bool Heard(u32 voice) const;
    void Pull(u8* out, u32 frames);

    mutable std::mutex mutex_;
    std::vector<Voice> voices_;
    u32 nextVoice_ = 1;
    std::vector<Player*> plays_;
    std::unique_ptr<plat::AudioSink> sink_;
};
