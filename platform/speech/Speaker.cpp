#include "platform/speech/Speaker.h"

#include <algorithm>

namespace plat {

bool Speaker::speak(const SpeechVoice& voice, std::string_view text) {
    cancel_.store(false);
    SpeechAudio audio;
    if (!backend_.render(voice, text, cancel_, audio) || audio.samples.empty()) return false;
    std::lock_guard lock(mutex_);
    if (cancel_.load()) return false;
    queued_ = std::move(audio.samples);
    played_ = 0;
    sampleRate_.store(audio.sampleRate);
    speaking_.store(true);
    return true;
}

void Speaker::stop() {
    cancel_.store(true);
    std::lock_guard lock(mutex_);
    queued_.clear();
    played_ = 0;
    speaking_.store(false);
}

uint32_t Speaker::pull(int16_t* out, uint32_t count) {
    std::lock_guard lock(mutex_);
    const size_t left = queued_.size() - played_;
    const uint32_t taken = uint32_t(std::min<size_t>(count, left));
    std::copy_n(queued_.begin() + ptrdiff_t(played_), taken, out);
    played_ += taken;
    if (played_ == queued_.size()) speaking_.store(false);
    return taken;
}

}  // namespace plat
