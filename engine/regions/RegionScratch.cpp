#include "engine/regions/RegionScratch.h"

#include <algorithm>

#include "engine/base/MemoryHandles.h"

namespace {

constexpr u32 kFirstCapacity = 16;

}  // namespace

RegionScratch::~RegionScratch() {
    if (rects_ != nullptr) memFreePtr(rects_);
}

EngineErr RegionScratch::reserve(u32 count) {
    if (count <= capacity_) return kErrNone;
    count = std::max({count, capacity_ + capacity_ / 2, kFirstCapacity});
    if (count > 0x7FFFFFFFu / sizeof(Rect16)) return kMemErrOutOfMemory;
    void* grown = memResizePtr(rects_, count * u32(sizeof(Rect16)));
    if (grown == nullptr) return memGetLastError();
    rects_ = static_cast<Rect16*>(grown);
    capacity_ = count;
    return kErrNone;
}

EngineErr RegionScratch::push(const Rect16& r) {
    if (size_ == capacity_) {
        EngineErr error = reserve(size_ + 1);
        if (error != kErrNone) return error;
    }
    rects_[size_++] = r;
    return kErrNone;
}
