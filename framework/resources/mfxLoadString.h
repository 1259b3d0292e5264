#pragma once
// The program's own texts kept as string resources ('tSTR', framework/format/StringFormat.h)
// in the open archives.
#include <string>

#include "engine/base/EngineTypes.h"

// The text of string resource `number`: at most 256 characters; empty when the resource is
// missing or malformed.
std::string mfxLoadString(u32 number);
