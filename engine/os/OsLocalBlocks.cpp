#include "engine/os/OsLocalBlocks.h"

#include <cstdint>
#include <cstdlib>

namespace {

EngineErr allocError = kErrNone;

EngineErr setAllocError(EngineErr error) {
    allocError = error;
    return error;
}

}  // namespace

void* osmAllocLocal(u16 size) {
    if (size == 0) {
        setAllocError(kErrNone);
        return nullptr;
    }
    void* block = std::calloc(1, size);
    setAllocError(block ? kErrNone : kOsmErrLocalOutOfMemory);
    return block;
}

EngineErr osmFreeLocal(void* block) {
    if (!block || reinterpret_cast<uintptr_t>(block) % 4 != 0) return setAllocError(kOsmErrLocalBadPointer);
    std::free(block);
    return setAllocError(kErrNone);
}

EngineErr osmGetAllocError() { return allocError; }
