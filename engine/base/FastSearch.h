#pragma once
// A fast text search for one pattern at a time (held globally): a skip table by each byte's
// last place in the pattern moves a window along the text until its last byte matches the
// pattern's, then the rest is compared backwards; with ignoreCase "A".."Z" match "a".."z".
// User-interface thread only.
#include "engine/base/EngineTypes.h"

// False (the previous pattern kept) for an empty pattern.
bool FastSearchSetPattern(const char* pattern, bool ignoreCase);
// The position just after the first match in `length` bytes of text; 0 when there is none,
// the text is shorter than the pattern, or no pattern is set.
u32 FastSearchFind(const char* text, u32 length);
