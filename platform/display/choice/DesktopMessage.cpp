#include "platform/display/choice/DesktopMessage.h"

#include <pthread.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>

#include "platform/charset/Conversion.h"
#include "platform/display/choice/DisplayChoice.h"

namespace plat {
namespace {

// The desktop's box writes each line of its text on one line however long: a sentence wider
// than a small screen would lose its end and the box's OK with it.
constexpr size_t kBoxLineCharacters = 60;

size_t charactersOf(const std::string& utf8) {
    size_t count = 0;
    for (const char byte : utf8) count += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
    return count;
}

// Lines broken between words; a word longer than a line (a folder's path) keeps a line of its own.
std::string brokenIntoLines(const std::string& utf8) {
    std::string out;
    size_t lineCharacters = 0;
    size_t at = 0;
    while (at <= utf8.size()) {
        const size_t end = std::min(utf8.find_first_of(" \n", at), utf8.size());
        const std::string word = utf8.substr(at, end - at);
        const size_t characters = charactersOf(word);
        if (lineCharacters > 0 && lineCharacters + 1 + characters > kBoxLineCharacters) {
            out += '\n';
            lineCharacters = 0;
        } else if (lineCharacters > 0) {
            out += ' ';
            ++lineCharacters;
        }
        out += word;
        lineCharacters += characters;
        if (end < utf8.size() && utf8[end] == '\n') {
            out += '\n';
            lineCharacters = 0;
        }
        at = end + 1;
    }
    return out;
}

// The process that shows the box while it is up; 0 otherwise.
std::atomic<pid_t> boxParent{0};

// A child forked for the box is killed when the program ends, however it ends: left alone it
// would hold the screen, and end later through the program's own exit handlers, which a copy
// of a process in the middle of its work cannot run.
void tieChildToParent() {
    const pid_t parent = boxParent.load();
    if (parent == 0) return;
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent) ::_exit(1);
}

class BoxShowing {
public:
    BoxShowing() {
        static const bool tied = ::pthread_atfork(nullptr, nullptr, tieChildToParent) == 0;
        (void)tied;
        boxParent.store(::getpid());
    }
    ~BoxShowing() { boxParent.store(0); }
    BoxShowing(const BoxShowing&) = delete;
    BoxShowing& operator=(const BoxShowing&) = delete;
};

}  // namespace

void showDesktopMessage(const std::string& title, const std::string& text, bool stop) {
    const std::string heading = cp1252ToUtf8(title);
    const std::string body = cp1252ToUtf8(text);
    std::fprintf(stderr, "%s: %s\n", heading.c_str(), body.c_str());
    std::fflush(stderr);
    const BoxShowing showing;
    displayDriver().showMessageBox(heading, brokenIntoLines(body), stop);
}

}  // namespace plat
