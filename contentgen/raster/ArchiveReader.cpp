#include "contentgen/raster/ArchiveReader.h"

#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxPort.h"
#include "engine/gfx/PackedRowWalk.h"
#include "engine/gfx/sprites/format/ShapeGroupFormat.h"

namespace {

// Frames are pieces of an 800 x 600 screen; a header claiming more is refused before any
// raster is made for it.
constexpr u16 kMaxFrameEdge = 2048;

u32 argbOf555(u16 c) {
    auto expand = [](u32 v) { return (v << 3) | (v >> 2); };
    return 0xFF000000u | (expand((c >> 10) & 31) << 16) | (expand((c >> 5) & 31) << 8) | expand(c & 31);
}

struct FrameVisitor {
    Raster* raster;
    bool row(u32) { return true; }
    void run(const GfxPackedRun& run) {
        for (u32 i = 0; i < run.count; ++i) {
            // Stored colours are big-endian until the program prepares them.
            const u8* c = run.colours + 2 * (run.repeat ? 0 : i);
            const u32 x = run.x + i;
            if (x < u32(raster->width) && run.row < u32(raster->height))
                raster->pixels[size_t(run.row) * size_t(raster->width) + x] = argbOf555(readBE16(c));
        }
    }
};

}  // namespace

bool ArchiveReader::open(std::vector<u8> image) {
    image_ = std::move(image);
    return parseArchiveImage(image_, &contents_) == kErrNone;
}

std::optional<std::span<const u8>> ArchiveReader::find(FourCC type, u16 id) const {
    const ResIdEntry* entry = contents_.directory.find(type, id);
    if (!entry) return std::nullopt;
    const FileEntry& file = contents_.fileTable.at(entry->index);
    // The format checks only ranges that hold bytes: an empty resource may keep any offset.
    if (file.size == 0) return std::span<const u8>();
    return std::span<const u8>(image_).subspan(file.offset, file.size);
}

std::optional<Raster> decodePicture(std::span<const u8> b) {
    if (b.size() < kGfxBitmapHeaderSize) return std::nullopt;
    const u16 width = readBE16(b.data()), height = readBE16(b.data() + 2), format = readBE16(b.data() + 6);
    const u32 rowBytes = readBE16(b.data() + 4);
    if (format != 3 || rowBytes != u32(width) * 2 || b.size() < kGfxBitmapHeaderSize + size_t(rowBytes) * height) return std::nullopt;
    Raster r(width, height);
    for (size_t i = 0; i < r.pixels.size(); ++i) r.pixels[i] = argbOf555(readBE16(b.data() + kGfxBitmapHeaderSize + 2 * i));
    return r;
}

std::optional<std::vector<Raster>> decodeGroupFrames(std::span<const u8> stored) {
    std::vector<u8> group(stored.begin(), stored.end());
    if (shapeGroupIsCompressed(group)) {
        ShapeGroupStream stream{};
        if (shapeGroupReadStream(group, &stream) != kErrNone) return std::nullopt;
        std::vector<u8> expanded(kShapeGroupHeaderSize + stream.decodedSize);
        if (shapeGroupExpand(group, stream, expanded) != kErrNone) return std::nullopt;
        group = std::move(expanded);
    }
    if (shapeGroupConvertTable(group) != kErrNone) return std::nullopt;
    std::vector<Raster> frames;
    for (u16 i = 1; i <= shapeGroupFrameCount(group); ++i) {
        const std::span<u8> f = shapeGroupFrame(group, i);
        const u16 format = readBE16(f.data() + 6);
        if ((format & kGfxFormatPackingMask) != kGfxFormatPacked16) return std::nullopt;
        if (readBE16(f.data()) > kMaxFrameEdge || readBE16(f.data() + 2) > kMaxFrameEdge) return std::nullopt;
        Raster r(readBE16(f.data()), readBE16(f.data() + 2));
        FrameVisitor visit{&r};
        if (!gfxWalkPackedRows16<false>(f.data() + kGfxBitmapHeaderSize, f.size() - kGfxBitmapHeaderSize, u32(r.height), visit))
            return std::nullopt;
        frames.push_back(std::move(r));
    }
    return frames;
}
