// The saver that the save kill test starts and kills. Given a folder, it first checks what an
// earlier, killed saver left there: the slide-show project and the user's "user.ini" must each
// hold one whole version, the last one committed or the one under way, never a mix of two.
// Then it saves both in a loop, each save one version further, recording the version of each
// finished save, until it is killed: by a timer after some microseconds, or at a chosen move
// of a new file over the project or "user.ini" (before or after the move). No save may move
// more than one new file over its target.
//
// Arguments: folder, then "check", "time <microseconds>" or "move <n> <before|after>".
// Exit codes: 0 a check passed, 1 the check failed, 2 setting up failed, 3 a save failed
// or took more than one move.
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "app/settings/RGlobalSave.h"
#include "document/pages/RPage.h"
#include "document/project/RDocument.h"
#include "document/users/EnginePath.h"
#include "document/users/Paths.h"
#include "engine/base/MemoryHandles.h"
#include "engine/files/OsServices.h"
#include "engine/ini/IniProfiles.h"
#include "engine/os/OsManager.h"
#include "engine/resources/ResourceManager.h"
#include "tests/engine/resources/kill/KillTimer.h"

namespace {

using namespace Ostrel;

constexpr const char* kProjectName = "Show";
constexpr u16 kFlagCount = 7;

[[noreturn]] void fail(int code, const std::string& why) {
    std::fprintf(stderr, "save kill child: %s\n", why.c_str());
    std::_Exit(code);
}

// --- the moves of new files over the two targets, counted and, when asked, killed at
struct Moves {
    std::string project;
    std::string settings;
    long count = 0;      // moves over either target so far
    long killAt = 0;     // 0: never
    bool killBefore = false;
} gMoves;

bool isTarget(const char* to) { return to && (gMoves.project == to || gMoves.settings == to); }

}  // namespace

// Every move of a file over another goes through here, the engine's own included.
extern "C" int rename(const char* from, const char* to) {
    using Rename = int (*)(const char*, const char*);
    static const Rename real = reinterpret_cast<Rename>(::dlsym(RTLD_NEXT, "rename"));
    const bool counted = isTarget(to) && ++gMoves.count == gMoves.killAt;
    if (counted && gMoves.killBefore) ::raise(SIGKILL);
    const int result = real(from, to);
    if (counted) ::raise(SIGKILL);
    return result;
}

namespace {

std::string pageName(long version, int i) { return "v" + std::to_string(version) + "p" + std::to_string(i) + ".tbx"; }
int pageCount(long version) { return version == 0 ? 0 : 1 + int(version % 4); }
std::string alphabetText(long version) { return "abc " + std::to_string(version); }
std::string titleText(long version) { return "title " + std::to_string(version); }

// Version 0 is no file, or an empty one: nothing saved yet.
long projectVersion(const Path* file) {
    ProjectConfigFile config(file, true);
    const long version = config.selectedPage.Value();
    std::string pages;
    config.ForEachPage([&](const std::string& name, const PageSettings& settings, u16 number) {
        pages += name + "@" + std::to_string(number) + "t" + std::to_string(settings.timingSeconds) + " ";
    });
    std::string expected;
    for (int i = 1; i <= pageCount(version); ++i)
        expected += pageName(version, i) + "@" + std::to_string(i) + "t" + std::to_string(version % 60) + " ";
    const bool whole = pages == expected && config.CountDamagedPages() == 0 &&
                       config.backgroundColor.Value() == version % 21 && config.backgroundSound.Value() == version &&
                       config.looping.Value() == version % 2 && config.manualAdvance.Value() == (version / 2) % 2 &&
                       config.topLeftPage.Value() == (version ? 1 : 0);
    if (!whole)
        fail(1, "the project mixes versions: selected " + std::to_string(version) + ", pages " + pages + ", colour " +
                    std::to_string(config.backgroundColor.Value()) + ", sound " + std::to_string(config.backgroundSound.Value()));
    return version;
}

std::string readKey(const Path* file, const char* key) {
    char text[64];
    return iniGetString(file, kGlobalUserSection, key, text, sizeof text, "none") == kErrNone ? text : "none";
}

constexpr const char* kFlagKeys[kFlagCount] = {"TTS",       "SmallKids",     "ToolSnds",       "AttachedSnds",
                                               "PlayOnce", "ManualAdvance", "ProjectPosition"};

long settingsVersion(const Path* file) {
    const std::string alphabet = readKey(file, "ABCString");
    const long version = alphabet == "none" ? 0 : std::strtol(alphabet.c_str() + 4, nullptr, 10);
    bool whole = readKey(file, "ProjectString") == (version ? titleText(version) : "none");
    for (u16 i = 0; i < kFlagCount; ++i)
        whole = whole && readKey(file, kFlagKeys[i]) == (version ? ((version + i) % 2 ? "TRUE" : "FALSE") : "none");
    if (!whole) fail(1, "user.ini mixes versions around " + std::to_string(version));
    return version;
}

// The version of the last finished save, kept whole by the same write-new-and-move.
long committed(const std::string& journal) {
    std::ifstream in(journal);
    long version = 0;
    return in >> version ? version : 0;
}

void record(const std::string& journal, long version) {
    const std::string fresh = journal + ".new";
    const std::string text = std::to_string(version) + "\n";
    const int fd = ::open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const bool written = fd >= 0 && ::write(fd, text.data(), text.size()) == ssize_t(text.size()) && ::fsync(fd) == 0;
    if (fd >= 0) ::close(fd);
    if (!written || std::rename(fresh.c_str(), journal.c_str()) != 0) fail(3, "journalling failed");
}

void saveProject(const Path* file, long version) {
    RDocument document(nullptr);
    for (int i = 1; i <= pageCount(version); ++i) {
        PageSettings settings;
        settings.timingSeconds = u16(version % 60);
        if (document.AppendPage(std::make_unique<RPage>(settings, pageName(version, i), 0)) != kErrNone)
            fail(3, "a page was refused");
    }
    ProjectConfigFile& config = document.Config();
    config.backgroundColor.SetValue(version % 21, 0);
    config.backgroundSound.SetValue(i32(version), 0);
    config.looping.SetValue(version % 2, 0);
    config.manualAdvance.SetValue((version / 2) % 2, 0);
    config.topLeftPage.SetValue(1, 0);
    config.selectedPage.SetValue(i32(version), 0);
    if (const EngineErr err = document.SaveAs(file)) fail(3, "the project's save failed: " + std::to_string(err));
}

void saveSettings(const Paths& paths, long version) {
    GlobalUserSettings settings = ResetGlobalUserSettings();
    u16* flags[kFlagCount] = {&settings.textToSpeech, &settings.smallKids,     &settings.toolSounds,     &settings.attachedSounds,
                              &settings.playOnce,     &settings.manualAdvance, &settings.projectPosition};
    for (u16 i = 0; i < kFlagCount; ++i) *flags[i] = u16((version + i) % 2);
    std::snprintf(settings.alphabetText.data(), settings.alphabetText.size(), "%s", alphabetText(version).c_str());
    std::snprintf(settings.projectTitle.data(), settings.projectTitle.size(), "%s", titleText(version).c_str());
    if (const EngineErr err = RGlobalSave(paths, &settings).Save()) fail(3, "the settings' save failed: " + std::to_string(err));
}

// The host path of an engine text on drive C:, the host's root.
std::string hostOf(std::string engineText) {
    engineText.erase(0, 2);
    for (char& c : engineText)
        if (c == '\\') c = '/';
    return engineText;
}

// One move per save at most, whichever kill waits: none when the file already held the
// version (a save the last saver finished but did not record).
void expectOneMove(long before, const char* what) {
    if (gMoves.count > before + 1) fail(3, std::string(what) + " took " + std::to_string(gMoves.count - before) + " moves");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) fail(2, "usage: folder check | time <us> | move <n> <before|after>");
    const std::string host = argv[1];
    const std::string mode = argv[2];
    if (memInit(0, 512) != kErrNone || osmInit(nullptr) != kErrNone || osInit() != kErrNone || iniInit() != kErrNone ||
        resInit() != kErrNone)
        fail(2, "the services do not start");
    Paths paths({engineTextOfHostFolder(host + "/prog"), engineTextOfHostFolder(host + "/data"),
                 engineTextOfHostFolder(host + "/config")});
    if (paths.SelectUserFolder("Kid") != kErrNone) fail(2, "no user folder");
    EnginePath project(paths.GetProjectPath(kProjectName));
    EnginePath settings(paths.BuildPath(kFolderUser, true) + kUserSettingsFileName);
    if (project.empty() || settings.empty()) fail(2, "no paths");
    gMoves.project = hostOf(paths.GetProjectPath(kProjectName));
    gMoves.settings = hostOf(paths.BuildPath(kFolderUser, true) + kUserSettingsFileName);
    const std::string journal = host + "/journal";

    // The saving goes on from the version after the last committed one, so that a file that
    // already holds that version is saved again as it is.
    long version = committed(journal);
    for (const long found : {projectVersion(project.get()), settingsVersion(settings.get())}) {
        if (found != version && found != version + 1)
            fail(1, "found version " + std::to_string(found) + " where " + std::to_string(version) + " was committed");
    }
    if (mode == "check") return 0;

    if (mode == "time" && argc == 4) {
        if (!armKillTimer(std::strtol(argv[3], nullptr, 10))) fail(2, "no kill timer");
    } else if (mode == "move" && argc == 5) {
        gMoves.killAt = std::strtol(argv[3], nullptr, 10);
        gMoves.killBefore = std::strcmp(argv[4], "before") == 0;
    } else {
        fail(2, "unknown mode " + mode);
    }
    for (;;) {
        ++version;
        long before = gMoves.count;
        saveProject(project.get(), version);
        expectOneMove(before, "the project's save");
        before = gMoves.count;
        saveSettings(paths, version);
        expectOneMove(before, "the settings' save");
        record(journal, version);
    }
}
