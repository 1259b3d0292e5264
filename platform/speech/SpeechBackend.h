#pragma once
// The seam between speaking and the machine: a backend renders a text into memory as mono
// 16-bit samples, which the caller plays through its own mixer. Which backend speaks is
// chosen in platform/speech/choice/SpeechChoice.h.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace plat {

enum class SpeechLanguage : uint8_t { English, Spanish };
enum class SpeechGender : uint8_t { Female, Male };

// One voice: a language, a gender and a numbered variant of that gender's sound.
struct SpeechVoice {
    SpeechLanguage language = SpeechLanguage::English;
    SpeechGender gender = SpeechGender::Female;
    uint32_t variant = 0;
    bool operator==(const SpeechVoice&) const = default;
};

struct SpeechAudio {
    uint32_t sampleRate = 0;
    std::vector<int16_t> samples;  // mono
    // A backend that renders in pieces calls this on the rendering thread after each piece it
    // added to `samples`, so that playing can begin long before the rendering ends.
    std::function<void()> grew;
};

class SpeechBackend {
public:
    virtual ~SpeechBackend() = default;
    // The voices this backend can speak with, in a stable order.
    virtual std::vector<SpeechVoice> voices() = 0;
    // Renders a cp1252 text with `voice` into `out` (replacing its samples). Answers false,
    // with `out` emptied, when the voice is not offered, the rendering failed, or `cancel`
    // became true while rendering (another thread may set it at any moment).
    virtual bool render(const SpeechVoice& voice, std::string_view text, const std::atomic<bool>& cancel,
                        SpeechAudio& out) = 0;
    // True for a backend standing in for speech this machine cannot make (its output is no
    // speech a listener would understand).
    virtual bool standsIn() const { return false; }
};

}  // namespace plat
