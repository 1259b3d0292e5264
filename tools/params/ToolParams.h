#pragma once
// A tool's parameters from its section of "TB.cfg" (the section is the tool's name): the
// pixel sizes its size buttons pick from, its start, stroke and end sounds ('tWAV' ids, 0 for
// none) and how fast a stroke must go for its stroke sound to play at full rate. Keys that are
// missing or unreadable keep their defaults; every value is range-checked.
#include <vector>

#include "engine/base/EngineTypes.h"
#include "engine/files/Paths.h"
#include "engine/ini/IniSection.h"

constexpr const char* kToolParamSizes = "sizes";
constexpr const char* kToolParamStartSound = "startSoundID";
constexpr const char* kToolParamStrokeSound = "strokeSoundID";
constexpr const char* kToolParamEndSound = "endSoundID";
constexpr const char* kToolParamFullSpeed = "fullSpeed";
// At most this many sizes are kept, each 1 to kToolMaxSize pixels.
constexpr size_t kToolMaxSizes = 16;
constexpr i16 kToolMaxSize = 200;

struct ToolParams {
    std::vector<i16> sizes{2, 5, 10, 20, 40};
    u16 startSound = 0;
    u16 strokeSound = 0;
    u16 endSound = 0;
    // Pixels per second at which the stroke sound plays at its own rate.
    i32 fullSpeed = 600;
};

ToolParams toolParamsFromPairs(const IniPairs& pairs);
// A section of the profile, named after the tool (null profile or section: the defaults).
ToolParams readToolParams(const Path* profile, const char* section);
