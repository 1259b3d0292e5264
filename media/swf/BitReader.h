#pragma once
// Reads long runs of bit fields of a stream on memory without going through the stream for
// each field: the bit index is kept here and every field is cut from a 64-bit big-endian
// load. The caller asks Has before each group of fields, keeping the loads inside the block,
// and hands the position back with Finish before using the stream again. Fields read here
// have the values, and the stream afterwards the position, that its own ReadBits gives.
#include <cstring>

#include "media/swf/Stream.h"

namespace swf {

class BitReader {
public:
    explicit BitReader(stream& in) : in_(in) {
        if (!in.DirectBits(data_, size_, bit_)) data_ = nullptr;
    }

    // Whether the `bytes` bytes from the current byte lie in the block.
    bool Has(u32 bytes) const { return data_ && bit_ / 8 + bytes <= size_; }

    Result ReadBits(u32 count, u32& value) {
        u64 word;
        std::memcpy(&word, data_ + bit_ / 8, 8);
        word = __builtin_bswap64(word) << (bit_ % 8);
        value = count ? u32(word >> (64 - count)) : 0;
        bit_ += count;
        read_ = true;
        return kOk;
    }

    Result ReadSignedBits(u32 count, i32& value) {
        u32 bits = 0;
        ReadBits(count, bits);
        if (count > 0 && count < 32 && (bits & (1u << (count - 1)))) bits |= ~0u << count;
        value = i32(bits);
        return kOk;
    }

    // Hands the position back to the stream (nothing when no field was read).
    void Finish() {
        if (read_) in_.AdvanceBitsTo(bit_);
        read_ = false;
    }

private:
    stream& in_;
    const u8* data_ = nullptr;
    u32 size_ = 0;
    u64 bit_ = 0;
    bool read_ = false;
};

}  // namespace swf
