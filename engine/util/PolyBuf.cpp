#include "engine/util/PolyBuf.h"

#include <algorithm>
#include <cstdlib>

#include "engine/util/MemoryBlocks.h"

EngineErr PolyBuf::CopyToHandle(memHandle* outHandle, u32, u16) {
    *outHandle = 0;
    return kPolyBufErrNoKind;
}

EngineErr PolyBufAddr::CopyToHandle(memHandle* outHandle, u32 size, u16 takeOver) {
    *outHandle = 0;
    if (!data_) return kMemErrBadHandle;
    const EngineErr error = NewHandleFromData(outHandle, data_, Available(size));
    if (error == kErrNone && takeOver) Free();
    return error;
}

PolyBufFree::~PolyBufFree() {
    PolyBufFree::Free();
}

void PolyBufFree::Free() {
    std::free(data_);
    data_ = nullptr;
}

PolyBufMem::PolyBufMem(u32 size) : PolyBufAddr(AllocZeroedBlock(size)) {}

PolyBufMem::~PolyBufMem() {
    PolyBufMem::Free();
}

void PolyBufMem::Free() {
    SafeFreePtr(data_);
    data_ = nullptr;
}

u32 PolyBufMem::Available(u32 wanted) const {
    return std::min(wanted, memGetPtrSize(data_));
}

PolyBufMemH::~PolyBufMemH() {
    PolyBufMemH::Free();
}

void* PolyBufMemH::Lock() {
    if (!data_ && handle_) data_ = memLockHandle(handle_);
    return data_;
}

void PolyBufMemH::Unlock() {
    if (data_) memUnlockHandle(handle_);
    data_ = nullptr;
}

void PolyBufMemH::Detach() {
    Unlock();
    handle_ = 0;
}

void PolyBufMemH::Free() {
    Unlock();
    if (handle_) memFreeHandle(handle_);
    handle_ = 0;
}

EngineErr PolyBufMemH::CopyToHandle(memHandle* outHandle, u32 size, u16 takeOver) {
    *outHandle = 0;
    if (!handle_) return kMemErrBadHandle;
    if (takeOver) {
        *outHandle = handle_;
        Detach();
        return kErrNone;
    }
    const i32 held = memGetHandleSize(handle_);
    if (held < 0) return memGetLastError();
    const u32 copied = std::min(size, u32(held));
    if (copied == 0) return NewHandleFromData(outHandle, nullptr, 0);
    const void* data = memLockHandle(handle_);
    if (!data) return memGetLastError();
    const EngineErr error = NewHandleFromData(outHandle, data, copied);
    memUnlockHandle(handle_);
    return error;
}

PolyBufMem* NewPolyBufMem(u32 size) {
    return new (std::nothrow) PolyBufMem(size);
}
