#pragma once
// A growable array for the working space of the region operations (rectangles, indices):
// the first items live in the object itself, so that small operations allocate nothing;
// more go to a block of the memory manager, kept apart from the region's own block.
#include <algorithm>
#include <cstring>

#include "engine/base/EngineTypes.h"
#include "engine/base/MemoryHandles.h"

template <class T>
class RegionScratch {
public:
    RegionScratch() = default;
    RegionScratch(const RegionScratch&) = delete;
    RegionScratch& operator=(const RegionScratch&) = delete;
    ~RegionScratch() {
        if (items_ != local_) memFreePtr(items_);
    }

    // Room for `count` items, growing by half again at least; the ones held stay. The
    // memory manager's error on failure.
    EngineErr reserve(u32 count) {
        if (count <= capacity_) return kErrNone;
        count = std::max(count, capacity_ + capacity_ / 2);
        if (count > 0x7FFFFFFFu / sizeof(T)) return kMemErrOutOfMemory;
        void* grown = memResizePtr(items_ == local_ ? nullptr : items_, count * u32(sizeof(T)));
        if (grown == nullptr) return memGetLastError();
        if (items_ == local_) std::memcpy(grown, local_, size_ * sizeof(T));
        items_ = static_cast<T*>(grown);
        capacity_ = count;
        return kErrNone;
    }
    EngineErr push(const T& item) {
        if (size_ == capacity_) {
            EngineErr error = reserve(size_ + 1);
            if (error != kErrNone) return error;
        }
        items_[size_++] = item;
        return kErrNone;
    }
    T* data() { return items_; }
    const T* data() const { return items_; }
    u32 size() const { return size_; }
    // Within the room reserved.
    void resize(u32 size) { size_ = size; }

private:
    static constexpr u32 kLocalItems = 32;

    T local_[kLocalItems];
    T* items_ = local_;
    u32 capacity_ = kLocalItems;
    u32 size_ = 0;
};
