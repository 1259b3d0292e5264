#include "contentgen/content/SpeechSynth.h"

#include <espeak-ng/speak_lib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace {

constexpr int kSpeechRate = 140;
constexpr int kSpeechPitch = 60;

std::vector<i16>* collecting = nullptr;

int collect(short* samples, int count, espeak_EVENT*) {
    if (samples && count > 0) collecting->insert(collecting->end(), samples, samples + count);
    return 0;
}

bool writeAll(int fd, const void* data, size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = write(fd, p, size);
        if (n <= 0) return false;
        p += n;
        size -= size_t(n);
    }
    return true;
}

bool readAll(int fd, void* data, size_t size) {
    char* p = static_cast<char*>(data);
    while (size > 0) {
        const ssize_t n = read(fd, p, size);
        if (n <= 0) return false;
        p += n;
        size -= size_t(n);
    }
    return true;
}

// Runs in the child: speaks the texts in order with one freshly started engine and sends, per
// text, the rate, the count and the samples down the pipe.
[[noreturn]] void speakInChild(int fd, const std::vector<std::string>& texts, const std::string& voice) {
    const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, 0);
    bool ok = rate > 0 && espeak_SetVoiceByName(voice.c_str()) == EE_OK;
    if (ok) {
        espeak_SetSynthCallback(collect);
        espeak_SetParameter(espeakRATE, kSpeechRate, 0);
        espeak_SetParameter(espeakPITCH, kSpeechPitch, 0);
    }
    for (const std::string& text : texts) {
        std::vector<i16> samples;
        collecting = &samples;
        ok = ok && espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr) == EE_OK &&
             espeak_Synchronize() == EE_OK;
        const u32 header[2] = {ok ? u32(rate) : 0u, u32(samples.size())};
        ok = writeAll(fd, header, sizeof header) && writeAll(fd, samples.data(), samples.size() * sizeof(i16)) && ok;
    }
    _exit(ok ? 0 : 1);
}

}  // namespace

std::vector<SpokenSound> speakTexts(const std::vector<std::string>& texts, const std::string& voice) {
    if (texts.empty()) return {};
    // One process per batch, so builders on several threads may speak at once.
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("no pipe for the speech engine");
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        speakInChild(fds[1], texts, voice);
    }
    close(fds[1]);
    std::vector<SpokenSound> sounds;
    bool ok = child > 0;
    for (size_t i = 0; ok && i < texts.size(); ++i) {
        u32 header[2] = {0, 0};
        ok = readAll(fds[0], header, sizeof header) && header[0] > 0 && header[1] > 0;
        if (ok) {
            SpokenSound sound;
            sound.rate = header[0];
            sound.samples.resize(header[1]);
            ok = readAll(fds[0], sound.samples.data(), sound.samples.size() * sizeof(i16));
            sounds.push_back(std::move(sound));
        }
    }
    close(fds[0]);
    int status = 0;
    if (child > 0) waitpid(child, &status, 0);
    if (!ok || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        const std::string& text = texts.at(std::min(sounds.size(), texts.size() - 1));
        throw std::runtime_error("espeak-ng (voice " + voice + ") made no sound of \"" + text + "\"");
    }
    return sounds;
}

SpokenSound speakText(const std::string& text, const std::string& voice) { return speakTexts({text}, voice).front(); }
