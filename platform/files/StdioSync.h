#pragma once
// Making what was written through a C stream durable: its buffer flushed and the file's
// blocks on the disc, and a finished file given its name, for code that keeps plain streams
// over host paths (the spell engine's dictionaries) yet must survive a kill or a power loss.
#include <cstdio>

namespace plat {

// False when the stream could not be flushed or the system could not sync the file.
bool syncStdioFile(std::FILE* file);
// Puts on the disc the folder that holds the host path's entry, so that a name just made,
// moved there or removed stays after a power loss. False when the folder cannot be synced.
bool syncFolderOfHostPath(const char* path);
// Moves the file `from` to `to` in one step when nothing stands at `to`: false, with `from`
// left where it was, when something does or the move fails.
bool moveHostPathIfFree(const char* from, const char* to);

}  // namespace plat
