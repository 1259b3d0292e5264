#pragma once
// The tables of character sets 2 to 5 (set 1 is built in SplCharSets.cpp from its case pairs).
#include "engine/base/EngineTypes.h"

struct SplCharSetTables {
    u8 lower[256];
    u8 upper[256];
    u8 unaccent[256];
    u8 type[256];
};

// Sets 2, 3, 4 and 5 in that order.
extern const SplCharSetTables kSplCharSets2To5[4];
