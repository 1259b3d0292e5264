#include "contentgen/content/SpeechSynth.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>

namespace {

static_assert(sizeof(pid_t) == sizeof(int), "process ids are kept as int");

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

// Starts the speaker with its output on outFd; -1 when it could not start.
pid_t startSpeaker(int outFd, const std::vector<std::string>& texts, const std::string& voice) {
    std::string program = TUMBLO_CONTENT_SPEAK_TOOL;
    std::vector<char*> args{program.data(), const_cast<char*>(voice.c_str())};
    for (const std::string& text : texts) args.push_back(const_cast<char*>(text.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) return -1;
    pid_t child = -1;
    if (posix_spawn_file_actions_adddup2(&actions, outFd, STDOUT_FILENO) != 0 ||
        posix_spawn(&child, program.c_str(), &actions, nullptr, args.data(), environ) != 0)
        child = -1;
    posix_spawn_file_actions_destroy(&actions);
    return child;
}

}  // namespace

SpeechBatch::SpeechBatch(std::vector<std::string> texts, const std::string& voice) : texts_(std::move(texts)), voice_(voice) {
    if (texts_.empty()) return;
    int fds[2];
    // Close-on-exec, so speakers started at the same time from other threads hold no copy
    // of this pipe and its end of file comes when this speaker ends.
    if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("no pipe for the speech engine");
    child_ = startSpeaker(fds[1], texts_, voice_);
    close(fds[1]);
    if (child_ < 0) {
        close(fds[0]);
        throw std::runtime_error("the speech engine could not be started");
    }
    fd_ = fds[0];
}

SpeechBatch::~SpeechBatch() {
    // An unread batch: closing the pipe makes the speaker's next write fail, and it ends.
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
