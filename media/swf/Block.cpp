#include "media/swf/Block.h"

#include <cstring>

#include "engine/base/MemoryHandles.h"

namespace swf {

void Block::Take(mstream& built) {
    Reset();
    data_ = built.Detach(size_);
}

Result Block::CopyFrom(mstream& built) {
    u32 size = 0;
    built.Size(size);
    const u8* data = built.Buffer();
    u8* copy = size ? static_cast<u8*>(memAllocPtr(size)) : nullptr;
    if (size && !copy) return kErrMemory;
    if (size) std::memcpy(copy, data, size);
    Adopt(copy, size);
    return kOk;
}

void Block::Take(Block& other) {
    if (&other == this) return;
    Adopt(other.data_, other.size_);
    other.data_ = nullptr;
    other.size_ = 0;
}

void Block::Adopt(u8* data, u32 size) {
    Reset();
    data_ = data;
    size_ = data ? size : 0;
}

Result Block::ReadFrom(stream& in, u32 length) {
    Reset();
    if (length == 0) return kOk;
    data_ = static_cast<u8*>(memAllocPtr(length));
    if (!data_) return kErrMemory;
    size_ = length;
    return in.ReadBytes(length, data_);
}

void Block::Reset() {
    if (data_) memFreePtr(data_);
    data_ = nullptr;
    size_ = 0;
}

}  // namespace swf
