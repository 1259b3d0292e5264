#pragma once
// The slide show's background colours, by a project's background colour index.
#include "document/project/RDocument.h"
#include "engine/base/EngineTypes.h"

namespace Ostrel {

struct BackgroundColor {
    const char* name;
    u8 red, green, blue;
};

// A document keeps only the index, so the order and the names stay; the colours are those a
// child expects of the names: white first, then light and bright colours, the darker ones last.
inline constexpr BackgroundColor kBackgroundColors[kBackgroundColorCount] = {
    {"White", 255, 255, 255}, {"Pink", 255, 153, 153},  {"Orange", 255, 204, 153}, {"Yellow", 255, 255, 100},
    {"Green", 153, 255, 153}, {"Blue", 153, 255, 255},  {"Purple", 204, 204, 255}, {"Grey", 120, 120, 120},
    {"Red", 255, 0, 0},       {"Orange2", 255, 102, 51}, {"Yellow2", 255, 255, 0}, {"Green2", 0, 171, 0},
    {"Blue2", 0, 102, 255},   {"Blue3", 102, 0, 255},   {"Black", 0, 0, 0},       {"Red", 171, 0, 0},
    {"Brown", 153, 51, 0},    {"Brown2", 128, 191, 0},  {"Green3", 0, 84, 0},     {"Blue4", 0, 0, 237},
    {"Blue5", 51, 0, 204},
};

}  // namespace Ostrel
