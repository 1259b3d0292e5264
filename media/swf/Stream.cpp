#include "media/swf/Stream.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "engine/base/ByteOrder.h"

namespace swf {

void stream::SetPosition(u32 position) {
    position_ = position;
    bitOffset_ = 0;
}

void stream::ResetPosition() {
    position_ = 0;
    bitOffset_ = 0;
    heldPosition_ = kNoHeldByte;
    heldDirty_ = 0;
}

Result stream::FlushHeld() {
    if (!heldDirty_) return kOk;
    const Result result = Write(heldPosition_, 1, &held_);
    if (result == kOk) heldDirty_ = 0;
    return result;
}

Result stream::ReadBytes(u32 length, u8* bytes) {
    if (DirectReadable(length)) {
        if (length) std::memcpy(bytes, direct_ + position_, length);
        position_ += length;
        return Keep(kOk);
    }
    if (const Result flushed = FlushHeld()) return Keep(flushed);
    const Result result = Read(position_, length, bytes);
    if (result == kOk) position_ += length;
    return Keep(result);
}

Result stream::WriteBytes(u32 length, const u8* bytes) {
    if (DirectWritable(length)) {
        if (length) std::memcpy(direct_ + position_, bytes, length);
        position_ += length;
        if (position_ > directSize_) directSize_ = position_;
        return Keep(kOk);
    }
    if (const Result flushed = FlushHeld()) return Keep(flushed);
    const Result result = Write(position_, length, bytes);
    if (result == kOk) position_ += length;
    return Keep(result);
}

Result stream::ReadU8(u8& value) { return ReadFixed<1>(&value); }

Result stream::ReadU16(u16& value) {
    u8 bytes[2];
    const Result result = ReadFixed<2>(bytes);
    if (result == kOk) value = readLE16(bytes);
    return result;
}

Result stream::ReadU32(u32& value) {
    u8 bytes[4];
    const Result result = ReadFixed<4>(bytes);
    if (result == kOk) value = readLE32(bytes);
    return result;
}

Result stream::WriteU8(u8 value) { return WriteFixed<1>(&value); }

Result stream::WriteU16(u16 value) {
    u8 bytes[2];
    writeLE16(bytes, value);
    return WriteFixed<2>(bytes);
}

Result stream::WriteU32(u32 value) {
    u8 bytes[4];
    writeLE32(bytes, value);
    return WriteFixed<4>(bytes);
}

Result stream::PatchU16(u32 at, u32 value) {
    if (value > 0xFFFF) return Keep(kErrBadData);
    u8 bytes[2];
    writeLE16(bytes, u16(value));
    return Keep(Write(at, 2, bytes));
}

Result stream::LoadHeldForRead() {
    if (heldPosition_ == position_) return kOk;
    SWF_TRY(FlushHeld());
    SWF_TRY(Read(position_, 1, &held_));
    heldPosition_ = position_;
    return kOk;
}

Result stream::ReadBits(u32 count, u32& value) {
    // Up to 32 bits from a bit offset below 8 lie in the 8 bytes at the position, read as one
    // big-endian word; the byte-wise path takes the rest, including reads near the end.
    if (count - 1 < 32 && direct_ && !heldDirty_ && u64(position_) + 8 <= directSize_) {
        u64 word;
        std::memcpy(&word, direct_ + position_, 8);
        word = __builtin_bswap64(word);
        value = u32((word << bitOffset_) >> (64 - count));
        const u32 end = bitOffset_ + count;
        position_ += end / 8;
        bitOffset_ = end % 8;
        // The byte-wise path leaves the last byte it loaded held: the current one, or the one
        // just finished at a byte boundary.
        heldPosition_ = bitOffset_ ? position_ : position_ - 1;
        held_ = direct_[heldPosition_];
        return Keep(kOk);
    }
    return ReadBitsHeld(count, value);
}

Result stream::ReadBitsHeld(u32 count, u32& value) {
    value = 0;
    while (count > 0) {
        if (const Result loaded = LoadHeldForRead()) return Keep(loaded);
        const u32 left = 8 - bitOffset_;
        const u32 bits = u32(held_) & ((1u << left) - 1);
        if (count < left) {
            value = (value << count) | (bits >> (left - count));
            bitOffset_ += count;
            break;
        }
        value = (value << left) | bits;
        count -= left;
        if (const Result flushed = FlushHeld()) return Keep(flushed);
        ++position_;
        bitOffset_ = 0;
    }
    return Keep(kOk);
}

Result stream::ReadSignedBits(u32 count, i32& value) {
    u32 bits = 0;
    const Result result = ReadBits(count, bits);
    if (result != kOk) return result;
    if (count > 0 && count < 32 && (bits & (1u << (count - 1)))) bits |= ~0u << count;
    value = i32(bits);
    return kOk;
}

Result stream::LoadHeldForWrite(u32 bitsLeftToWrite) {
    if (heldPosition_ == position_) return kOk;
    SWF_TRY(FlushHeld());
    u32 size = 0;
    SWF_TRY(Size(size));
    held_ = 0;
    if (size <= position_) {
        SWF_TRY(Write(position_ + 1, 0, nullptr));
    } else if (bitOffset_ != 0 || bitsLeftToWrite < 8) {
        SWF_TRY(Read(position_, 1, &held_));
    }
    heldPosition_ = position_;
    return kOk;
}

Result stream::WriteBits(u32 count, u32 value) {
    while (count > 0) {
        if (const Result loaded = LoadHeldForWrite(count)) return Keep(loaded);
        const u32 left = 8 - bitOffset_;
        const u32 take = count < left ? count : left;
        const u32 chunk = (u64(value) >> (count - take)) & ((1u << take) - 1);
        const u32 shift = left - take;
        const u32 mask = ((1u << take) - 1) << shift;
        held_ = u8((held_ & ~mask) | (chunk << shift));
        heldDirty_ = 1;
        count -= take;
        bitOffset_ += take;
        if (bitOffset_ == 8) {
            ++position_;
            bitOffset_ = 0;
        }
    }
    return Keep(kOk);
}

void stream::Align(u32 bits) {
    const u64 combined = u64(position_) * 8 + bitOffset_;
    const u64 rounded = (combined + bits - 1) / bits * bits;
    position_ = u32(rounded / 8);
    bitOffset_ = u32(rounded % 8);
}

Result stream::ReadString(RcString& text) {
    char chunk[256];
    u32 used = 0;
    for (;;) {
        u8 byte = 0;
        if (const Result result = ReadU8(byte)) return result;
        const bool end = byte == 0;
        if (!end) chunk[used++] = char(byte);
        if (end || used == 255) {
            chunk[used] = 0;
            try {
                text.Append(chunk);
            } catch (const std::length_error&) {
                return Keep(kErrBadData);
            }
            used = 0;
        }
        if (end) return Keep(kOk);
    }
}

Result stream::WriteString(const RcString& text) {
    SWF_TRY(WriteBytes(text.ByteLength(), reinterpret_cast<const u8*>(text.c_str())));
    return WriteU8(0);
}

Result stream::ReadRGB(Rgba& colour, bool withAlpha) {
    u8 bytes[4] = {0, 0, 0, 255};
    const Result result = ReadBytes(withAlpha ? 4 : 3, bytes);
    colour = Rgba{bytes[0], bytes[1], bytes[2], bytes[3]};
    return Keep(result == kOk ? kOk : kErrColour);
}

Result stream::WriteRGB(const Rgba& colour, bool withAlpha) {
    const u8 bytes[4] = {colour.red, colour.green, colour.blue, colour.alpha};
    return Keep(WriteBytes(withAlpha ? 4 : 3, bytes) == kOk ? kOk : kErrColour);
}

u32 SignedBitWidth(i32 value) {
    if (value == i32(0x80000000)) return 32;
    const u32 magnitude = u32(value < 0 ? -value : value);
    if (magnitude & 0x40000000) return 32;
    if (magnitude == 0) return 2;
    const u32 width = u32(31 - __builtin_clz(magnitude)) + 2;
    return width < 2 ? 2 : width;
}

u32 SignedFieldWidth(std::initializer_list<i32> values, u32 limit) {
    u32 width = 0;
    bool fitsLimit = true;
    const i64 lowest = -(i64(1) << (limit - 1)), highest = (i64(1) << (limit - 1)) - 1;
    for (i32 v : values) {
        width = std::max(width, SignedBitWidth(v));
        fitsLimit = fitsLimit && v >= lowest && v <= highest;
    }
    return width > limit && fitsLimit ? limit : width;
}

u32 UnsignedBitWidth(i32 value) {
    if (value < 0) return 32;
    if (value == 0) return 1;
    return u32(31 - __builtin_clz(u32(value))) + 1;
}

}  // namespace swf
