#include "platform/speech/Speaker.h"

#include <algorithm>

namespace plat {

bool Speaker::speak(const SpeechVoice& voice, std::string_view text, const std::function<void()>& queued) {
    cancel_.store(false);
    SpeechAudio audio;
    size_t handed = 0;  // samples of the rendering queued so far
    // Queues what the rendering added, the first time in place of what was queued.
    auto queueNew = [&] {
        if (cancel_.load()) return false;
        if (handed == 0) {
            queued_.clear();
            played_ = 0;
            sampleRate_.store(audio.sampleRate);
        }
        queued_.insert(queued_.end(), audio.samples.begin() + ptrdiff_t(handed), audio.samples.end());
        handed = audio.samples.size();
        speaking_.store(played_ < queued_.size() || rendering_);
        return true;
    };
    audio.grew = [&] {
        {
            std::lock_guard lock(mutex_);
            rendering_ = true;
            if (!queueNew()) return;
        }
        if (queued) queued();
    };
    const bool rendered = backend_.render(voice, text, cancel_, audio) && !audio.samples.empty();
    std::lock_guard lock(mutex_);
    rendering_ = false;
    if (rendered && queueNew()) return true;
    if (handed > 0) {
        queued_.clear();
        played_ = 0;
        speaking_.store(false);
    }
    return false;
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
    if (played_ == queued_.size() && !rendering_) speaking_.store(false);
    return taken;
}

size_t Speaker::available() {
    std::lock_guard lock(mutex_);
    return queued_.size() - played_;
}

}  // namespace plat
