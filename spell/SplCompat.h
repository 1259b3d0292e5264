#pragma once
// Whether an entry of class c accepts a word written with shape flags w.
#include "engine/base/EngineTypes.h"

// A value outside the table (a damaged lexicon's class byte, say) is never compatible.
bool compatfl(u32 wordFlags, u32 entryClass);
