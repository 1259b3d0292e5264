#pragma once
// The stand-alone player file: a copy of our player program with a Flash movie appended and
// the 8-byte trailer after it that tells the program where its movie lies (ProjectorTrailer.h).
// User-interface thread.
#include <span>
#include <string>

#include "media/export/ProjectorTrailer.h"

// Copies the player program `player` to `target` with `movie` appended, replacing a movie the
// program already carries: 0 on success, 1 on failure (a missing player, a full disc, ...),
// the target then left as it was. The copy keeps the player's permissions, so it runs as a
// program. Both are engine texts.
u16 WriteFlashProjector(const std::string& player, const std::string& target, std::span<const u8> movie);
