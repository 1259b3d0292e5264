#include "media/swf/MemoryStream.h"

#include <algorithm>
#include <cstring>

#include "engine/base/MemoryHandles.h"

namespace swf {

mstream::mstream(u32 growStep) : growStep_(growStep) {}

mstream::~mstream() {
    if (direct_) memFreePtr(direct_);
}

std::unique_ptr<mstream> mstreamOnBuffer(u8* block, u32 size, u32 growStep) {
    auto result = std::make_unique<mstream>(growStep);
    result->direct_ = block;
    result->directCapacity_ = size;
    result->directSize_ = size;
    return result;
}

Result mstream::Size(u32& size) {
    size = directSize_;
    return kOk;
}

Result mstream::Read(u32 position, u32 length, u8* bytes) {
    if (position > directSize_ || length > directSize_ - position) return kErrMemory;
    if (length == 1) *bytes = direct_[position];
    else if (length) std::memcpy(bytes, direct_ + position, length);
    return kOk;
}

Result mstream::Write(u32 position, u32 length, const u8* bytes) {
    const u64 end = u64(position) + length;
    if (end > 0xFFFFFFFFu) return kErrMemory;
    if (end > directCapacity_) {
        // At least the grow step, and half the block once that is more, so that building a
        // large block does not copy it over and over.
        const u64 step = std::max<u64>({end - directCapacity_, growStep_, directCapacity_ / 2});
        const u64 grown = u64(directCapacity_) + step;
        if (grown > 0xFFFFFFFFu) return kErrMemory;
        u8* block = static_cast<u8*>(memResizePtr(direct_, u32(grown)));
        if (!block) return kErrMemory;
        std::memset(block + directCapacity_, 0, size_t(grown - directCapacity_));
        direct_ = block;
        directCapacity_ = u32(grown);
    }
    if (end > directSize_) {
        if (position > directSize_) std::memset(direct_ + directSize_, 0, position - directSize_);
        directSize_ = u32(end);
    }
    if (length) std::memcpy(direct_ + position, bytes, length);
    return kOk;
}

Result mstream::Truncate(u32 size) {
    if (size < directSize_) directSize_ = size;
    return kOk;
}

const u8* mstream::Buffer() {
    Keep(FlushHeld());
    return direct_;
}

u8* mstream::Detach(u32& size) {
    Keep(FlushHeld());
    size = directSize_;
    u8* block = direct_;
    if (block && directSize_ < directCapacity_) {
        if (u8* shrunk = static_cast<u8*>(memResizePtr(block, directSize_ ? directSize_ : 1))) block = shrunk;
    }
    direct_ = nullptr;
    directCapacity_ = 0;
    directSize_ = 0;
    ResetPosition();
    return block;
}

void mstream::Empty() {
    directSize_ = 0;
    ResetPosition();
    Keep(kOk);
}

}  // namespace swf
