#pragma once
// The bytes of a resource of the open archives (the newest archive that has it), for the
// framework's readers of menus, dialog templates and strings.
#include <vector>

#include "engine/base/EngineTypes.h"

EngineErr mfxReadResource(FourCC type, u16 id, std::vector<u8>* out);
