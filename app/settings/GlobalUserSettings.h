#pragma once
// The few program-wide switches each user keeps, read directly by screens, panels and
// dialogs, and stored in the [GlobalUser] section of the user's "user.ini".
#include <array>
#include <cstddef>

#include "engine/base/EngineTypes.h"

namespace Ostrel {

constexpr size_t kGlobalUserTextSize = 256;

struct GlobalUserSettings {
    u16 textToSpeech = 1;
    u16 smallKids = 0;
    u16 toolSounds = 1;
    u16 attachedSounds = 1;
    u16 playOnce = 1;
    u16 manualAdvance = 0;
    std::array<char, kGlobalUserTextSize> alphabetText{};
    std::array<char, kGlobalUserTextSize> projectTitle{};
    u16 projectPosition = 0;
};

// The values a user starts from before their own are loaded; the alphabet text stays empty
// because every reset is followed by a load that fills it.
GlobalUserSettings ResetGlobalUserSettings();

}  // namespace Ostrel
