#pragma once
// The slide show's background colours, by a project's background colour index.
#include "document/project/RDocument.h"
#include "engine/base/EngineTypes.h"

namespace Ostrel {

struct BackgroundColor {
    const char* name;
    u8 red, green, blue;
};

inline constexpr BackgroundColor kBackgroundColors[kBackgroundColorCount] = {
    {"White", 93, 93, 93},    {"Pink", 100, 60, 60},   {"Orange", 100, 80, 60},   {"Yellow", 255, 255, 100},
    {"Green", 60, 100, 60},   {"Blue", 60, 100, 100},  {"Purple", 80, 80, 100},   {"Grey", 47, 47, 47},
    {"Red", 255, 0, 0},       {"Orange2", 100, 40, 20}, {"Yellow2", 255, 255, 0}, {"Green2", 0, 67, 0},
    {"Blue2", 0, 40, 100},    {"Blue3", 40, 0, 100},   {"Black", 7, 7, 7},        {"Red", 67, 0, 0},
    {"Brown", 60, 20, 0},     {"Brown2", 50, 75, 0},   {"Green3", 0, 33, 0},      {"Blue4", 0, 0, 93},
    {"Blue5", 20, 0, 80},
};

}  // namespace Ostrel
