#include "app/settings/GlobalUserSettings.h"

#include <cstring>

namespace Ostrel {

GlobalUserSettings ResetGlobalUserSettings() {
    GlobalUserSettings settings;
    settings.projectPosition = 1;
    constexpr const char* kUntitled = "UntitledProjName";
    std::memcpy(settings.projectTitle.data(), kUntitled, std::strlen(kUntitled) + 1);
    return settings;
}

}  // namespace Ostrel
