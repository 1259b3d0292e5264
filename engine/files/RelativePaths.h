#pragma once
// Paths relative to a folder, as a project keeps the names of its pages: "../Pictures/x.tbx".
// Folder names compare as the host's file system compares them, letter case included.
#include <string>

#include "engine/base/EngineTypes.h"
#include "engine/files/Paths.h"

// The text leading from `from` (that folder when `fromIsFolder`, else the folder holding it)
// to `to`, components separated by "/". The full text of `to` when the two share no folder
// or lie on different volumes.
EngineErr MakeRelativePathText(const Path* from, u16 fromIsFolder, const Path* to, std::string* outText);
// `outFlag` 1 when `path` is `folder` or lies below it.
EngineErr IsPathInFolder(const Path* folder, const Path* path, u16* outFlag);
