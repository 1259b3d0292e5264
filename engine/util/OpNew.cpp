#include "engine/util/OpNew.h"

#include "engine/util/MemoryBlocks.h"

void* OpNew::operator new(std::size_t size) {
    void* data = AllocZeroedBlock(u32(size));
    if (!data) throw std::bad_alloc();
    return data;
}

void* OpNew::operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return AllocZeroedBlock(u32(size));
}

void OpNew::operator delete(void* data) noexcept {
    SafeFreePtr(data);
}

void OpNew::operator delete(void* data, const std::nothrow_t&) noexcept {
    SafeFreePtr(data);
}
