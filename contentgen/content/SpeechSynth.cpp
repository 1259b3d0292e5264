#include "contentgen/content/SpeechSynth.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

namespace {

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

// Starts the speaker with its output on the pipe's write end; 0 when it could not start.
pid_t startSpeaker(int outFd, const std::string& text, const std::string& voice) {
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) return 0;
    pid_t child = 0;
    std::string program = TUMBLO_CONTENT_SPEAK_TOOL;
    char* args[] = {program.data(), const_cast<char*>(voice.c_str()), const_cast<char*>(text.c_str()), nullptr};
    if (posix_spawn_file_actions_adddup2(&actions, outFd, STDOUT_FILENO) != 0 ||
        posix_spawn(&child, program.c_str(), &actions, nullptr, args, environ) != 0)
        child = 0;
    posix_spawn_file_actions_destroy(&actions);
    return child;
}

}  // namespace

SpokenSound speakText(const std::string& text, const std::string& voice) {
    // Each utterance by a speaker process of its own, so builders on several threads may speak at once.
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("no pipe for the speech engine");
    const pid_t child = startSpeaker(fds[1], text, voice);
    close(fds[1]);
    SpokenSound sound;
    u32 header[2] = {0, 0};
    bool ok = child > 0 && readAll(fds[0], header, sizeof header) && header[0] > 0;
    if (ok) {
        sound.rate = header[0];
        sound.samples.resize(header[1]);
        ok = readAll(fds[0], sound.samples.data(), sound.samples.size() * sizeof(i16));
    }
    close(fds[0]);
    int status = 0;
    if (child > 0) waitpid(child, &status, 0);
    if (!ok || !WIFEXITED(status) || WEXITSTATUS(status) != 0 || sound.samples.empty())
        throw std::runtime_error("espeak-ng (voice " + voice + ") made no sound of \"" + text + "\"");
    return sound;
}
