#pragma once
// The random-access stream every SWF reader and writer goes through, with its byte- and
// bit-level operations. Implementations supply Size, Read and Write at absolute positions;
// the operations here move the stream's own byte and bit position. One byte is held for bit
// access and written back when the next byte operation or a move to another byte needs it.
// Every operation returns its code and keeps it as the last status. A stream belongs to one
// thread at a time.
//
// A stream on memory keeps its block in the direct fields: reads and writes that stay inside
// the block then go to it without the virtual calls, and bit fields are read from a 64-bit
// load, all keeping the position, bit offset and held byte as the byte-wise path leaves them.
#include <cstring>
#include <initializer_list>

#include "engine/base/RcString.h"
#include "media/swf/SwfTypes.h"

namespace swf {

class stream {
public:
    stream() = default;
    stream(const stream&) = delete;
    stream& operator=(const stream&) = delete;
    virtual ~stream() = default;

    virtual Result Size(u32& size) = 0;
    virtual Result Read(u32 position, u32 length, u8* bytes) = 0;
    virtual Result Write(u32 position, u32 length, const u8* bytes) = 0;
    // Drops the data after size: rewriting a tag header in its short form leaves a few stale
    // bytes after the end of a written movie.
    virtual Result Truncate(u32 size) = 0;

    Result LastStatus() const { return status_; }
    u32 Position() const { return position_; }
    u32 BitOffset() const { return bitOffset_; }
    // Moves to a byte, bit offset 0.
    void SetPosition(u32 position);

    Result ReadBytes(u32 length, u8* bytes);
    Result WriteBytes(u32 length, const u8* bytes);
    Result ReadU8(u8& value);
    Result ReadU16(u16& value);
    Result ReadU32(u32& value);
    Result WriteU8(u8 value);
    Result WriteU16(u16 value);
    Result WriteU32(u32 value);
    // Writes a u16 at an absolute position without moving; a value above 0xFFFF is bad data.
    Result PatchU16(u32 at, u32 value);

    // For readers of long runs of bit fields (BitReader): the block of a stream on memory and
    // the position as a bit index; false when there is no block or a written byte is held.
    bool DirectBits(const u8*& data, u32& size, u64& bit) const {
        if (!direct_ || heldDirty_) return false;
        data = direct_;
        size = directSize_;
        bit = u64(position_) * 8 + bitOffset_;
        return true;
    }
    // Moves to a bit index of the block as reading the bits up to it would.
    void AdvanceBitsTo(u64 bit) {
        position_ = u32(bit / 8);
        bitOffset_ = u32(bit % 8);
        heldPosition_ = kNoHeldByte;
        Keep(kOk);
    }
    // Room for `length` bytes at the position inside the block, which the position then
    // passes; null when the bytes must be written the ordinary way (no block, a written byte
    // held, or a block that must grow first).
    u8* DirectSpan(u32 length) {
        if (!DirectWritable(length)) return nullptr;
        u8* span = direct_ + position_;
        position_ += length;
        if (position_ > directSize_) directSize_ = position_;
        Keep(kOk);
        return span;
    }

    Result ReadBits(u32 count, u32& value);
    Result ReadSignedBits(u32 count, i32& value);
    Result WriteBits(u32 count, u32 value);
    void Align(u32 bits);

    // Reads up to and including a zero byte, appending the text to the string.
    Result ReadString(RcString& text);
    Result WriteString(const RcString& text);
    Result ReadRGB(Rgba& colour, bool withAlpha);
    Result WriteRGB(const Rgba& colour, bool withAlpha);

protected:
    Result Keep(Result result) { return status_ = result; }
    // The block of a stream on memory: its valid bytes and the bytes allocated.
    u8* direct_ = nullptr;
    u32 directSize_ = 0;
    u32 directCapacity_ = 0;
    // Writes a dirty held byte back at its own position.
    Result FlushHeld();
    void ResetPosition();

private:
    // Whether `length` bytes at the position lie in the direct block (up to its size, or for
    // a write its capacity) with no written bit-level byte still held.
    bool DirectReadable(u32 length) const {
        return direct_ && !heldDirty_ && position_ <= directSize_ && length <= directSize_ - position_;
    }
    bool DirectWritable(u32 length) const {
        return direct_ && !heldDirty_ && position_ <= directSize_ && length <= directCapacity_ - position_;
    }
    template <u32 N>
    Result ReadFixed(u8* bytes) {
        if (!DirectReadable(N)) return ReadBytes(N, bytes);
        __builtin_memcpy(bytes, direct_ + position_, N);
        position_ += N;
        return Keep(kOk);
    }
    template <u32 N>
    Result WriteFixed(const u8* bytes) {
        if (!DirectWritable(N)) return WriteBytes(N, bytes);
        __builtin_memcpy(direct_ + position_, bytes, N);
        position_ += N;
        if (position_ > directSize_) directSize_ = position_;
        return Keep(kOk);
    }
    Result ReadBitsHeld(u32 count, u32& value);
    Result LoadHeldForRead();
    Result LoadHeldForWrite(u32 bitsLeftToWrite);

    u16 status_ = kOk;
    u32 position_ = 0;
    u32 bitOffset_ = 0;
    u32 heldPosition_ = kNoHeldByte;
    u16 heldDirty_ = 0;
    u8 held_ = 0;

    static constexpr u32 kNoHeldByte = 0xFFFFFFFF;
};

u32 SignedBitWidth(i32 value);
// The width to write values in when the widest field is limit bits: their SignedBitWidth,
// except that values this overestimates (the most negative value of a width) but that fit
// limit bits in two's complement take limit. Above limit, the values cannot be written.
u32 SignedFieldWidth(std::initializer_list<i32> values, u32 limit);
u32 UnsignedBitWidth(i32 value);

}  // namespace swf
