#include "platform/system/UserFolders.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace plat {

namespace {

constexpr std::string_view kPicturesKey = "XDG_PICTURES_DIR", kMusicKey = "XDG_MUSIC_DIR",
                           kVideosKey = "XDG_VIDEOS_DIR";
constexpr std::string_view kHomeWord = "$HOME";
// Settings files are small; more than this is not a user-dirs file.
constexpr size_t kUserDirsMostBytes = 64 * 1024;

// The base folder must be absolute to be used; a relative one is ignored, as XDG asks.
std::string baseFolder(const char* variable, const char* belowHome) {
    const char* set = std::getenv(variable);
    if (set && set[0] == '/') return set;
    const std::string home = userHomeFolder();
    return home.empty() ? home : home + belowHome;
}

void skipSpaces(std::string_view line, size_t* at) {
    while (*at < line.size() && (line[*at] == ' ' || line[*at] == '\t')) ++*at;
}

// The folder one line names for the key, or empty.
std::string folderOfLine(std::string_view line, std::string_view key, const std::string& home) {
    size_t at = 0;
    skipSpaces(line, &at);
    if (line.substr(at, key.size()) != key) return {};
    at += key.size();
    skipSpaces(line, &at);
    if (at >= line.size() || line[at] != '=') return {};
    ++at;
    skipSpaces(line, &at);
    if (at >= line.size() || line[at] != '"') return {};
    ++at;
    std::string value;
    bool closed = false;
    while (at < line.size() && !closed) {
        const char c = line[at++];
        if (c == '\\' && at < line.size())
            value += line[at++];
        else if (c == '"')
            closed = true;
        else
            value += c;
    }
    if (!closed) return {};
    std::string folder;
    if (value.compare(0, kHomeWord.size(), kHomeWord) == 0 &&
        (value.size() == kHomeWord.size() || value[kHomeWord.size()] == '/'))
        folder = home + value.substr(kHomeWord.size());
    else if (!value.empty() && value[0] == '/')
        folder = value;
    if (folder.empty() || folder[0] != '/' || folder.find('\0') != std::string::npos) return {};
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

bool isFolder(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}

}  // namespace

std::string userHomeFolder() {
    const char* home = std::getenv("HOME");
    return home && home[0] == '/' ? std::string(home) : std::string();
}

std::string userDataHome() { return baseFolder("XDG_DATA_HOME", "/.local/share"); }
std::string userConfigHome() { return baseFolder("XDG_CONFIG_HOME", "/.config"); }

std::string folderOfUserDirs(std::string_view text, std::string_view key, const std::string& home) {
    std::string found;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        if (std::string folder = folderOfLine(line, key, home); !folder.empty()) found = std::move(folder);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return found;
}

std::string picturesFolderOfUserDirs(std::string_view text, const std::string& home) {
    return folderOfUserDirs(text, kPicturesKey, home);
}

namespace {

// The folder the user-dirs file names for the key, else the home's `usual` one, when it is
// there; else empty.
std::string desktopFolder(std::string_view key, const char* usual) {
    const std::string home = userHomeFolder();
    const std::string settings = userConfigHome();
    if (!settings.empty() && !home.empty()) {
        std::ifstream in(settings + "/user-dirs.dirs", std::ios::binary);
        std::string text;
        if (in) {
            text.resize(kUserDirsMostBytes);
            in.read(text.data(), std::streamsize(text.size()));
            text.resize(size_t(in.gcount()));
        }
        if (const std::string named = folderOfUserDirs(text, key, home); isFolder(named)) return named;
    }
    if (!home.empty() && isFolder(home + "/" + usual)) return home + "/" + usual;
    return {};
}

}  // namespace

std::string userPicturesFolder() {
    const std::string found = desktopFolder(kPicturesKey, "Pictures");
    return found.empty() ? userHomeFolder() : found;
}

std::string userMusicFolder() { return desktopFolder(kMusicKey, "Music"); }

std::string userVideosFolder() { return desktopFolder(kVideosKey, "Videos"); }

}  // namespace plat
