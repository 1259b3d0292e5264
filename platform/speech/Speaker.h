#pragma once
// One voice's speaking: a text is rendered into memory and then drained by the playback side
// (the mixer's thread) through pull. Stop, from any thread, cancels a rendering under way and
// drops what is queued at once; isSpeaking may be asked from any thread.
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string_view>

#include "platform/speech/SpeechBackend.h"

namespace plat {

class Speaker {
public:
    explicit Speaker(SpeechBackend& backend) : backend_(backend) {}

    // Renders the text and queues it in place of anything still playing. A backend that
    // renders in pieces has each piece queued as it comes, the first replacing what played,
    // and `queued` called after it on this thread, so playing can begin at once. False when
    // the backend refused or a stop cancelled the rendering; nothing stays queued then.
    bool speak(const SpeechVoice& voice, std::string_view text, const std::function<void()>& queued = {});
    void stop();
    bool isSpeaking() const { return speaking_.load(); }
    // The rate of the samples queued last (0 before the first text).
    uint32_t sampleRate() const { return sampleRate_.load(); }
    // Copies up to `count` queued samples to `out` and answers how many; the speaking flag
    // clears when the queue runs dry after the rendering ended.
    uint32_t pull(int16_t* out, uint32_t count);
    // Queued samples not yet pulled.
    size_t available();

private:
    SpeechBackend& backend_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> speaking_{false};
    std::atomic<uint32_t> sampleRate_{0};
    std::mutex mutex_;
    std::vector<int16_t> queued_;
    size_t played_ = 0;
    bool rendering_ = false;  // pieces of the text being rendered are queued
};

}  // namespace plat
