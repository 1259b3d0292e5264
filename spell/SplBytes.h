#pragma once
// Little-endian numbers of 0 to 4 bytes inside lexicon tables.
#include "engine/base/EngineTypes.h"

// count 0 gives 0; a count above 4 is a caller fault.
u32 bytes2nu(const u8* bytes, int count);
