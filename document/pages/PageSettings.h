#pragma once
// How a page plays in the slide show, as a project stores it after the page's file name:
// "<file>,<play sounds>,<read aloud>,<effect>,<effect option>,<seconds>,<timing mode>,<no sound>".
#include <string>

#include "engine/base/EngineTypes.h"

namespace Ostrel {

constexpr size_t kPageFileNameMax = 300;
constexpr u8 kTimingModeMax = 4;

struct PageSettings {
    u16 playSounds = 1;
    u16 readAloud = 1;
    u16 transitionEffect = 4;
    u16 transitionOption = 4;
    u8 timingSeconds = 7;
    u8 timingMode = 0;  // 0 timed, 1 click, 2 key, 3 reading ended, 4 movie ended
    u16 noSound = 0;
    void SetDefaults() { *this = PageSettings{}; }
    bool operator==(const PageSettings&) const = default;
};

// Splits an entry at its first comma. Settings that are missing, not numbers or too large for
// their field keep their defaults; false when there is no file name or it is too long.
bool parsePageEntry(const std::string& entry, std::string* fileName, PageSettings* settings);
std::string formatPageEntry(const std::string& fileName, const PageSettings& settings);

}  // namespace Ostrel
