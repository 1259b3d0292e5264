#pragma once
// Names for new files that do not clash with what a folder holds: "Picture", "Picture1",
// "Picture2" ... The base is the name without its extension and without the digits it ends
// with, shortened where the name must stay below a length.
#include "engine/base/EngineTypes.h"
#include "engine/files/Paths.h"

// (candidate name, context) → non-zero when the caller takes the name.
using UniqueNameAccept = u16 (*)(const char* candidate, void* context);

// The most numbers tried before giving up: a folder that holds them all is not one a child
// fills by hand.
constexpr u32 kUniqueNameMaxTries = 10000;

// Builds a name not yet in `folder` from `name` (a NUL-terminated text in a buffer of
// `nameSize` bytes, which gets the result) and `extension` (or, when null, the name's own
// extension from its last "."). The first candidate leaves the number out unless
// `numberFirst`; the numbers then count from 1. With `maxLength` the name stays shorter than
// that many characters. The chosen file's path goes to `outPath`.
//
// 0 on success; 1 for an empty name; kOsErrBadPath when no candidate fits the buffer or the
// length; kOsErrExists after kUniqueNameMaxTries candidates; another code when the folder
// cannot be searched.
EngineErr MakeUniqueFileName(const Path* folder, char* name, u32 nameSize, const char* extension, Path* outPath,
                             u32 maxLength, UniqueNameAccept accept, void* context, u16 numberFirst);
