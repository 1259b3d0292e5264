#pragma once
// Conversion between Windows code page 1252 (the program's texts) and character set 1 (the
// lexicons' bytes). A character without a place in the other set becomes 0, which no word
// holds, so a caller can refuse it.
#include "engine/base/EngineTypes.h"

u8 splFromCp1252(u8 c);
u8 splToCp1252(u8 c);
