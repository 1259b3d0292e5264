#include "platform/system/UserFolders.h"

#include <cstdlib>

namespace plat {

namespace {

// The base folder must be absolute to be used; a relative one is ignored, as XDG asks.
std::string baseFolder(const char* variable, const char* belowHome) {
    const char* set = std::getenv(variable);
    if (set && set[0] == '/') return set;
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + belowHome;
    return {};
}

}  // namespace

std::string userDataHome() { return baseFolder("XDG_DATA_HOME", "/.local/share"); }
std::string userConfigHome() { return baseFolder("XDG_CONFIG_HOME", "/.config"); }

}  // namespace plat
