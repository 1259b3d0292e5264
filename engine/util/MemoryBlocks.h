#pragma once
// The application's small doors into engine memory. Blocks handed out as pointers come from
// locked engine handles, so they are freed with memFreePtr (or FreeMemBlock, which also takes
// an unlocked handle's block). Handles made here are left unlocked for their receiver.
#include "engine/base/EngineTypes.h"
#include "engine/base/MemoryHandles.h"

// DuplicateHandleBlock's answer for a null source.
constexpr EngineErr kBlockErrNoSource = 1;

// Null when allocating fails (the memory manager's last error says why) or for size 0.
void* AllocZeroedBlock(u32 size);
void* AllocLockedHandle(u32 size);
void SafeFreePtr(void* data);
void FreeMemBlock(void* data);
EngineErr NewHandleFromData(memHandle* outHandle, const void* source, u32 size);
EngineErr DuplicateHandleBlock(memHandle* outHandle, memHandle handle);
// A copy of the text with its terminator; null for a null text or a failed allocation.
char* StrDupHandle(const char* text);
