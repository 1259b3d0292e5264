#pragma once
// Moving a file or a folder tree. On one volume the entry is renamed; across volumes it is
// copied, the copy is compared with the source, and only a copy found whole lets the source
// be deleted, so a failing disc never costs the user the only copy of their work.
#include "engine/base/EngineTypes.h"
#include "engine/files/Paths.h"

// 0 when moved, or when both paths name the same entry (nothing is done). The source's error
// when it does not exist; kOsErrExists for an existing destination unless `replace`, which
// deletes it first. A copy that differs from its source answers kOsErrDifferent and leaves
// the source as it was; a copy across volumes that fails is removed again. kOsErrBadPath when
// one of the two lies inside the other.
EngineErr MoveFileOrFolder(const Path* source, const Path* destination, u16 replace);
