#pragma once
// A run of changes to a profile that reaches its file in one replacement: the profile is held
// in memory while the changes are made and written once after them (a new file beside it,
// flushed and moved over it), so that a kill at any moment leaves the file as it was or with
// every change, never with some of them. A file that does not exist yet is made empty first;
// a kill then leaves it empty, which reads as holding nothing, as before.
//
// When a change or the write fails, every change of the run is dropped from memory, the file
// keeps its old text, and that error is returned. Within the run nothing may turn the
// profile's write-through on (INI_LIST::WriteItems rather than INI_LIST::Save).
#include <functional>

#include "engine/base/EngineTypes.h"
#include "engine/files/Paths.h"

EngineErr IniReplaceOnce(const Path* path, const std::function<EngineErr()>& changes);
