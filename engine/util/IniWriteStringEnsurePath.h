#pragma once
// Writing settings into a profile that may not exist yet, and booleans kept as the texts
// "TRUE" and "FALSE". A profile is named by a Path; an empty path names the engine's own.
#include "engine/base/EngineTypes.h"
#include "engine/files/Paths.h"

// The profile argument of the INI module for a held path.
inline const Path* iniProfileOf(const Path& path) {
    return path.record ? &path : nullptr;
}

// Writes (or, with a null section, key or text, removes) one value. A missing profile file is
// created empty first, except the engine's own; removing what is not there succeeds.
EngineErr IniWriteStringEnsurePath(const Path* path, const char* section, const char* key, const char* text);

// 1 for "TRUE" in any case, 0 for any other text, -1 when the key cannot be read.
i16 IniReadBoolText(const Path* path, const char* section, const char* key);
EngineErr IniWriteBoolText(const Path* path, const char* section, const char* key, u16 flag);
