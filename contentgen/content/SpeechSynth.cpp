#include "contentgen/content/SpeechSynth.h"

#include <espeak-ng/speak_lib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace {

static_assert(sizeof(pid_t) == sizeof(int), "process ids are kept as int");

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

SpeechBatch::SpeechBatch(std::vector<std::string> texts, const std::string& voice) : texts_(std::move(texts)), voice_(voice) {
    if (texts_.empty()) return;
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("no pipe for the speech engine");
    child_ = fork();
    if (child_ == 0) {
        close(fds[0]);
        speakInChild(fds[1], texts_, voice_);
    }
    close(fds[1]);
    if (child_ < 0) {
        close(fds[0]);
        throw std::runtime_error("the speech engine could not be started");
    }
    fd_ = fds[0];
}

SpeechBatch::~SpeechBatch() {
    // An unread batch: closing the pipe makes the child's next write fail, and it ends.
    if (fd_ >= 0) close(fd_);
    if (child_ > 0) waitpid(child_, nullptr, 0);
}

std::vector<SpokenSound> SpeechBatch::finish() {
    std::vector<SpokenSound> sounds;
    bool ok = fd_ >= 0;
    for (size_t i = 0; ok && i < texts_.size(); ++i) {
        u32 header[2] = {0, 0};
        ok = readAll(fd_, header, sizeof header) && header[0] > 0 && header[1] > 0;
        if (ok) {
            SpokenSound sound;
            sound.rate = header[0];
            sound.samples.resize(header[1]);
            ok = readAll(fd_, sound.samples.data(), sound.samples.size() * sizeof(i16));
            sounds.push_back(std::move(sound));
        }
    }
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    int status = 0;
    if (child_ > 0) waitpid(child_, &status, 0);
    child_ = -1;
    if (texts_.empty()) return sounds;
    if (!ok || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        const std::string& text = texts_.at(std::min(sounds.size(), texts_.size() - 1));
        throw std::runtime_error("espeak-ng (voice " + voice_ + ") made no sound of \"" + text + "\"");
    }
    return sounds;
}

std::vector<SpokenSound> speakTexts(const std::vector<std::string>& texts, const std::string& voice) {
    return SpeechBatch(texts, voice).finish();
}

SpokenSound speakText(const std::string& text, const std::string& voice) { return speakTexts({text}, voice).front(); }
