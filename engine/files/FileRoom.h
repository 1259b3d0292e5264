#pragma once
// Whether a file may be written, and whether a copy fits on its volume before it is begun.
#include "engine/base/EngineTypes.h"
#include "engine/files/Paths.h"

// The room a copy needs beyond the file itself: new folder entries and the file's last block.
constexpr u32 kCopyRoomMargin = 16384;

// 1 when nothing is at the path yet, or when it is a plain file that is not read-only on a
// volume that is not read-only.
u16 IsPathWritable(const Path* path);
// 0 when copying `source` to `destination` fits on the destination's volume (counting the
// destination's own bytes when `replace` would free them); kOsErrDiskFull when not.
EngineErr CheckRoomForCopy(const Path* source, const Path* destination, u16 replace);
