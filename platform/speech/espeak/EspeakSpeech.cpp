#include "platform/speech/espeak/EspeakSpeech.h"

#include <espeak-ng/speak_lib.h>

#include <mutex>
#include <string>

#include "platform/charset/Conversion.h"

namespace plat {
namespace {

// espeak-ng keeps one synthesiser per process: its voice and callback are global, so one
// rendering runs at a time.
std::mutex& engineMutex() {
    static std::mutex mutex;
    return mutex;
}

struct Rendering {
    const std::atomic<bool>* cancel;
    SpeechAudio* audio;
};

int onSynth(short* wav, int count, espeak_EVENT* events) {
    auto* rendering = static_cast<Rendering*>(events->user_data);
    if (rendering->cancel->load()) return 1;
    if (wav && count > 0) {
        rendering->audio->samples.insert(rendering->audio->samples.end(), wav, wav + count);
        if (rendering->audio->grew) rendering->audio->grew();
    }
    return rendering->cancel->load() ? 1 : 0;
}

// Female variants sound clearly different from one another from f2 on; male ones from m1.
constexpr const char* kFemaleVariants[] = {"f2", "f4", "f1"};
constexpr const char* kMaleVariants[] = {"m1", "m3", "m7"};
constexpr uint32_t kVariantsPerGender = 3;

// The program's Spanish is Latin American, as its keyboard is.
const char* languageName(SpeechLanguage language) { return language == SpeechLanguage::English ? "en" : "es-419"; }

std::string voiceName(const SpeechVoice& voice) {
    std::string name = languageName(voice.language);
    name += '+';
    name += voice.gender == SpeechGender::Female ? kFemaleVariants[voice.variant] : kMaleVariants[voice.variant];
    return name;
}

class EspeakSpeechBackend : public SpeechBackend {
public:
    explicit EspeakSpeechBackend(uint32_t sampleRate) : sampleRate_(sampleRate) {
        espeak_SetSynthCallback(onSynth);
        for (SpeechLanguage language : {SpeechLanguage::English, SpeechLanguage::Spanish}) {
            if (espeak_SetVoiceByName(languageName(language)) != EE_OK) continue;
            for (SpeechGender gender : {SpeechGender::Female, SpeechGender::Male})
                for (uint32_t variant = 0; variant < kVariantsPerGender; ++variant)
                    voices_.push_back({language, gender, variant});
        }
    }
    std::vector<SpeechVoice> voices() override { return voices_; }

    bool render(const SpeechVoice& voice, std::string_view text, const std::atomic<bool>& cancel,
                SpeechAudio& out) override {
        out.samples.clear();
        out.sampleRate = sampleRate_;
        if (voice.variant >= kVariantsPerGender) return false;
        const std::string utf8 = cp1252ToUtf8(text);
        std::lock_guard lock(engineMutex());
        if (espeak_SetVoiceByName(voiceName(voice).c_str()) != EE_OK) return false;
        Rendering rendering{&cancel, &out};
        const espeak_ERROR result = espeak_Synth(utf8.c_str(), utf8.size() + 1, 0, POS_CHARACTER, 0,
                                                 espeakCHARS_UTF8, nullptr, &rendering);
        if (result != EE_OK || cancel.load()) {
            out.samples.clear();
            return false;
        }
        return true;
    }

private:
    uint32_t sampleRate_;
    std::vector<SpeechVoice> voices_;
};

}  // namespace

std::unique_ptr<SpeechBackend> makeEspeakSpeechBackend() {
    // Started once and left running: espeak-ng's terminate waits on its own event thread,
    // which a synchronous synthesiser never wakes.
    static const int rate = [] {
        std::lock_guard lock(engineMutex());
        return espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
    }();
    if (rate <= 0) return nullptr;
    std::lock_guard lock(engineMutex());
    return std::make_unique<EspeakSpeechBackend>(uint32_t(rate));
}

}  // namespace plat
