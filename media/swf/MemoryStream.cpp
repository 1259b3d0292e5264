#include "media/swf/MemoryStream.h"

#include <algorithm>
#include <cstring>

#include "engine/base/MemoryHandles.h"

namespace swf {

mstream::mstream(u32 growStep) : growStep_(growStep) {}

mstream::~mstream() {
    if (block_) memFreePtr(block_);
}

std::unique_ptr<mstream> mstreamOnBuffer(u8* block, u32 size, u32 growStep) {
    auto result = std::make_unique<mstream>(growStep);
    result->block_ = block;
    result->capacity_ = size;
    result->size_ = size;
    return result;
}

Result mstream::Size(u32& size) {
    size = size_;
    return kOk;
}

Result mstream::Read(u32 position, u32 length, u8* bytes) {
    if (position > size_ || length > size_ - position) return kErrMemory;
    if (length == 1) *bytes = block_[position];
    else if (length) std::memcpy(bytes, block_ + position, length);
    return kOk;
}

Result mstream::Write(u32 position, u32 length, const u8* bytes) {
    const u64 end = u64(position) + length;
    if (end > 0xFFFFFFFFu) return kErrMemory;
    if (end > capacity_) {
        // At least the grow step, and half the block once that is more, so that building a
        // large block does not copy it over and over.
        const u64 step = std::max<u64>({end - capacity_, growStep_, capacity_ / 2});
        const u64 grown = u64(capacity_) + step;
        if (grown > 0xFFFFFFFFu) return kErrMemory;
        u8* block = static_cast<u8*>(memResizePtr(block_, u32(grown)));
        if (!block) return kErrMemory;
        std::memset(block + capacity_, 0, size_t(grown - capacity_));
        block_ = block;
        capacity_ = u32(grown);
    }
    if (end > size_) {
        if (position > size_) std::memset(block_ + size_, 0, position - size_);
        size_ = u32(end);
    }
    if (length) std::memcpy(block_ + position, bytes, length);
    return kOk;
}

Result mstream::Truncate(u32 size) {
    if (size < size_) size_ = size;
    return kOk;
}

const u8* mstream::Buffer() {
    Keep(FlushHeld());
    return block_;
}

u8* mstream::Detach(u32& size) {
    Keep(FlushHeld());
    size = size_;
    u8* block = block_;
    if (block && size_ < capacity_) {
        if (u8* shrunk = static_cast<u8*>(memResizePtr(block, size_ ? size_ : 1))) block = shrunk;
    }
    block_ = nullptr;
    capacity_ = 0;
    size_ = 0;
    ResetPosition();
    return block;
}

}  // namespace swf
