#pragma once
// The stored bytes of a 'tBMP' resource from any open archive, loaded and locked as they are
// (big-endian, not prepared for drawing). User-interface thread only.
#include "engine/base/EngineTypes.h"

// Null when no open archive holds the resource or it cannot be loaded.
const u8* LoadBitmapResource(u16 id);
