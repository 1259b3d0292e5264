#include "contentgen/content/ShapeGroupBuilder.h"

#include "contentgen/content/BitmapWriter.h"
#include "engine/base/ByteOrder.h"
#include "engine/gfx/sprites/format/ShapeGroupFormat.h"

namespace {

constexpr u32 kOffsetEntrySize = 4;

}  // namespace

u16 ShapeGroupBuilder::addFrame(const Raster& raster, int anchorX, int anchorY) {
    RasterBounds cut = rasterOpaqueBounds(raster);
    // A frame painted only see-through marks an area (where a control takes clicks): it keeps
    // the place it covers, all of it transparent. One with nothing painted still needs a
    // place: one transparent pixel.
    if (cut.empty()) cut = rasterPaintedBounds(raster);
    if (cut.empty()) cut = RasterBounds{0, 0, 1, 1};
    Frame frame;
    frame.bitmap = writePackedBitmap16(raster, cut);
    frame.rect = RasterBounds{cut.left - anchorX, cut.top - anchorY, cut.right - anchorX, cut.bottom - anchorY};
    frames_.push_back(std::move(frame));
    return u16(frames_.size());
}

RasterBounds ShapeGroupBuilder::frameRect(u16 frame) const {
    return frame >= 1 && frame <= frames_.size() ? frames_[frame - 1u].rect : RasterBounds{};
}

std::vector<u8> ShapeGroupBuilder::groupBytes() const {
    const u32 tableEnd = kShapeGroupHeaderSize + kOffsetEntrySize * u32(frames_.size());
    std::vector<u8> group(tableEnd, 0);
    writeBE16(group.data(), u16(frames_.size()));
    for (size_t i = 0; i < frames_.size(); ++i) {
        writeBE32(group.data() + kShapeGroupHeaderSize + kOffsetEntrySize * i, u32(group.size()));
        group.insert(group.end(), frames_[i].bitmap.begin(), frames_[i].bitmap.end());
    }
    std::vector<u8> compressed = shapeGroupCompress(group, ShapeMethod::A);
    return compressed.size() < group.size() ? compressed : group;
}

std::vector<u8> ShapeGroupBuilder::offsetTable(bool x) const {
    // Entry 0 stands for no frame; a frame is drawn moved back by its entry.
    std::vector<u8> table(2 * (frames_.size() + 1), 0);
    for (size_t i = 0; i < frames_.size(); ++i)
        writeBE16(table.data() + 2 * (i + 1), u16(i16(-(x ? frames_[i].rect.left : frames_[i].rect.top))));
    return table;
}

std::vector<u8> ShapeGroupBuilder::xOffsetTable() const { return offsetTable(true); }
std::vector<u8> ShapeGroupBuilder::yOffsetTable() const { return offsetTable(false); }
