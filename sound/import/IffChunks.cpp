#include "sound/import/IffChunks.h"

#include "engine/base/ByteOrder.h"

namespace {

constexpr size_t kFirstChunk = 12;
constexpr size_t kHeader = 8;

}  // namespace

std::vector<IffChunk> walkIffChunks(std::span<const u8> image, IffByteOrder order) {
    std::vector<IffChunk> chunks;
    size_t at = kFirstChunk;
    while (at + kHeader <= image.size()) {
        const u8* p = image.data() + at;
        const u32 length = order == IffByteOrder::Big ? readBE32(p + 4) : readLE32(p + 4);
        const size_t start = at + kHeader;
        const size_t present = std::min<size_t>(length, image.size() - start);
        chunks.push_back({readBE32(p), image.subspan(start, present), present < length});
        if (present < length) break;
        at = start + length + (length & 1);
    }
    return chunks;
}

std::optional<IffChunk> findIffChunk(const std::vector<IffChunk>& chunks, FourCC tag) {
    for (const IffChunk& chunk : chunks)
        if (chunk.tag == tag) return chunk;
    return std::nullopt;
}
