#pragma once
// Making what was written through a C stream durable: its buffer flushed and the file's
// blocks on the disc, for code that keeps plain streams over host paths (the spell engine's
// dictionaries) yet must survive a kill or a power loss.
#include <cstdio>

namespace plat {

// False when the stream could not be flushed or the system could not sync the file.
bool syncStdioFile(std::FILE* file);

}  // namespace plat
