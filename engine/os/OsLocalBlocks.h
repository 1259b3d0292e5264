#pragma once
// The OS manager's small fixed blocks (interval tasks and other records it owns). They are
// plain heap blocks; the module keeps its own error word apart from the memory manager's.
#include "engine/base/EngineTypes.h"

constexpr EngineErr kOsmErrLocalOutOfMemory = 200;
constexpr EngineErr kOsmErrLocalBadPointer = 251;

void* osmAllocLocal(u16 size);
EngineErr osmFreeLocal(void* block);
EngineErr osmGetAllocError();
