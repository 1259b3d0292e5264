#include "engine/gfx/sprites/format/ShapeGroupFormat.h"

#include <cstring>

#include "engine/base/ByteOrder.h"
#include "engine/gfx/sprites/format/ShapeEncoder.h"
#include "engine/gfx/sprites/format/ShapeErrors.h"

namespace {

constexpr u32 kMethodField = 8;
constexpr u32 kLengthField = 12;
constexpr u32 kDecodedField = 16;
constexpr u32 kMethodB = 0x40000000u;
constexpr u32 kMethodA = 0x80000000u;
constexpr u32 kSizeMask = 0x3FFFFFFFu;
constexpr u32 kOffsetEntrySize = 4;

}  // namespace

bool shapeGroupIsCompressed(std::span<const u8> group) {
    return group.size() >= kShapeGroupHeaderSize && (readBE16(group.data() + kShapeGroupFlagsField) & kShapeGroupCompressed);
}

EngineErr shapeGroupReadStream(std::span<const u8> group, ShapeGroupStream* stream) {
    if (group.size() < kShapeGroupStreamStart) return kShapeErrDamagedGroup;
    const u32 word = readBE32(group.data() + kMethodField);
    if (word & kMethodB) {
        stream->method = ShapeMethod::B;
    } else if (word & kMethodA) {
        stream->method = ShapeMethod::A;
    } else {
        return kShapeErrNoMethod;
    }
    stream->expandedSize = word & kSizeMask;
    stream->length = readBE32(group.data() + kLengthField);
    stream->decodedSize = readBE32(group.data() + kDecodedField);
    if (stream->length > group.size() - kShapeGroupStreamStart) return kShapeErrDamagedGroup;
    if (stream->decodedSize > 0xFFFFFFFFu - kShapeGroupHeaderSize) return kShapeErrDamagedGroup;
    // A size no stream of this length can make would only cost a block of that size.
    if (stream->decodedSize > u64(stream->length) * kShapeMaxExpansion) return kShapeErrDamagedGroup;
    return kErrNone;
}

EngineErr shapeGroupExpand(std::span<const u8> group, const ShapeGroupStream& stream, std::span<u8> out) {
    if (group.size() < kShapeGroupStreamStart || stream.length > group.size() - kShapeGroupStreamStart ||
        out.size() != u64(kShapeGroupHeaderSize) + stream.decodedSize)
        return kShapeErrDamagedGroup;
    std::memcpy(out.data(), group.data(), kShapeGroupHeaderSize);
    u8* flags = out.data() + kShapeGroupFlagsField;
    writeBE16(flags, readBE16(flags) & ~kShapeGroupCompressed);
    return shapeDecode(stream.method, group.subspan(kShapeGroupStreamStart, stream.length),
                       out.subspan(kShapeGroupHeaderSize));
}

std::vector<u8> shapeGroupCompress(std::span<const u8> group, ShapeMethod method) {
    std::span<const u8> body = group.size() > kShapeGroupHeaderSize ? group.subspan(kShapeGroupHeaderSize) : std::span<const u8>{};
    const std::vector<u8> coded = shapeEncode(method, body);
    std::vector<u8> out(kShapeGroupStreamStart + coded.size(), 0);
    std::memcpy(out.data(), group.data(), std::min<size_t>(group.size(), kShapeGroupHeaderSize));
    u8* flags = out.data() + kShapeGroupFlagsField;
    writeBE16(flags, readBE16(flags) | kShapeGroupCompressed);
    const u32 expanded = u32(std::max<size_t>(group.size(), kShapeGroupHeaderSize)) & kSizeMask;
    writeBE32(out.data() + kMethodField, (method == ShapeMethod::B ? kMethodB : kMethodA) | expanded);
    writeBE32(out.data() + kLengthField, u32(coded.size()));
    writeBE32(out.data() + kDecodedField, u32(body.size()));
    std::memcpy(out.data() + kShapeGroupStreamStart, coded.data(), coded.size());
    return out;
}

EngineErr shapeGroupConvertTable(std::span<u8> group) {
    if (group.size() < kShapeGroupHeaderSize) return kShapeErrDamagedGroup;
    u8* b = group.data();
    const u16 count = readBE16(b);
    const u64 tableEnd = kShapeGroupHeaderSize + u64(count) * kOffsetEntrySize;
    if (tableEnd > group.size()) return kShapeErrDamagedGroup;
    for (u16 i = 0; i < count; ++i) {
        const u32 offset = readBE32(b + kShapeGroupHeaderSize + i * kOffsetEntrySize);
        if (offset < tableEnd || u64(offset) + kShapeFrameHeaderSize > group.size()) return kShapeErrDamagedGroup;
    }
    swapInPlace16(b);
    for (u16 i = 0; i < count; ++i) swapInPlace32(b + kShapeGroupHeaderSize + i * kOffsetEntrySize);
    return kErrNone;
}

u16 shapeGroupFrameCount(std::span<const u8> group) { return group.size() >= 2 ? readLE16(group.data()) : 0; }

std::span<u8> shapeGroupFrame(std::span<u8> group, u16 frame) {
    const u16 count = shapeGroupFrameCount(group);
    if (frame == 0 || frame > count || kShapeGroupHeaderSize + u64(count) * kOffsetEntrySize > group.size()) return {};
    const u32 offset = readLE32(group.data() + kShapeGroupHeaderSize + (frame - 1u) * kOffsetEntrySize);
    if (u64(offset) + kShapeFrameHeaderSize > group.size()) return {};
    return group.subspan(offset);
}
