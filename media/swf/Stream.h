#pragma once
// The random-access stream every SWF reader and writer goes through, with its byte- and
// bit-level operations. Implementations supply Size, Read and Write at absolute positions;
// the operations here move the stream's own byte and bit position. One byte is held for bit
// access and written back when the next byte operation or a move to another byte needs it.
// Every operation returns its code and keeps it as the last status. A stream belongs to one
// thread at a time.
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
    // Writes a dirty held byte back at its own position.
    Result FlushHeld();
    void ResetPosition();

private:
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
