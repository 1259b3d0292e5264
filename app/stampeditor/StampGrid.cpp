#include "app/stampeditor/StampGrid.h"

#include <algorithm>

#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxPort.h"

namespace Ostrel {

namespace {

constexpr u16 kDepthCode16 = 3;
constexpr size_t kWidthField = 0;
constexpr size_t kHeightField = 2;
constexpr size_t kRowBytesField = 4;
constexpr size_t kFormatField = 6;

}  // namespace

bool StampGrid::operator==(const StampGrid& other) const {
    if (width != other.width || height != other.height) return false;
    for (i32 y = 0; y < height; ++y)
        for (i32 x = 0; x < width; ++x)
            if (At(x, y) != other.At(x, y)) return false;
    return true;
}

StampGrid BlankStamp(i32 width, i32 height) {
    StampGrid grid;
    grid.width = std::clamp(width, 1, kStampGridSide);
    grid.height = std::clamp(height, 1, kStampGridSide);
    grid.cells.fill(kStampTransparent);
    return grid;
}

EngineErr StampFromBitmap(std::span<const u8> bitmap, StampGrid* grid) {
    if (bitmap.size() < kGfxBitmapHeaderSize) return kStampErrUnusable;
    const u16 width = readBE16(bitmap.data() + kWidthField);
    const u16 height = readBE16(bitmap.data() + kHeightField);
    const i16 rowBytes = i16(readBE16(bitmap.data() + kRowBytesField));
    const u16 format = readBE16(bitmap.data() + kFormatField);
    const bool plain = (format & (kGfxFormatPackingMask | kGfxFormatCompressionMask | kGfxFormatColorTable)) == 0;
    if (!plain || (format & kGfxFormatDepthMask) != kDepthCode16 || width == 0 || height == 0 ||
        width > kStampGridSide || height > kStampGridSide)
        return kStampErrUnusable;
    const std::span<const u8> pixels = bitmap.subspan(kGfxBitmapHeaderSize);
    if (!gfxPlainRowsFit(width, height, rowBytes, 16, u32(pixels.size()))) return kStampErrUnusable;
    const bool machineOrder = (format & kGfxFormatMachineOrder) != 0;
    StampGrid read = BlankStamp(width, height);
    for (i32 y = 0; y < height; ++y) {
        const u8* row = gfxPlainRow(pixels.data(), rowBytes, height, y);
        for (i32 x = 0; x < width; ++x) {
            const u8* p = row + 2 * x;
            read.At(x, y) = u16((machineOrder ? readLE16(p) : readBE16(p)) & 0x7FFF);
        }
    }
    *grid = read;
    return kErrNone;
}

std::vector<u8> BitmapFromStamp(const StampGrid& grid) {
    std::vector<u8> out(kGfxBitmapHeaderSize + size_t(grid.width) * size_t(grid.height) * 2);
    writeBE16(out.data() + kWidthField, u16(grid.width));
    writeBE16(out.data() + kHeightField, u16(grid.height));
    writeBE16(out.data() + kRowBytesField, u16(grid.width * 2));
    writeBE16(out.data() + kFormatField, kDepthCode16);
    u8* p = out.data() + kGfxBitmapHeaderSize;
    for (i32 y = 0; y < grid.height; ++y)
        for (i32 x = 0; x < grid.width; ++x, p += 2) writeBE16(p, grid.At(x, y));
    return out;
}

void SetStampPixel(StampGrid& grid, i32 x, i32 y, u16 colour) {
    if (grid.Contains(x, y)) grid.At(x, y) = colour;
}

void FloodFillStamp(StampGrid& grid, i32 x, i32 y, u16 colour) {
    if (!grid.Contains(x, y)) return;
    const u16 target = grid.At(x, y);
    if (target == colour) return;
    // A stack of cells rather than recursion: a 32 x 32 stamp of one colour is 1024 deep.
    std::vector<std::pair<i32, i32>> pending{{x, y}};
    while (!pending.empty()) {
        const auto [cx, cy] = pending.back();
        pending.pop_back();
        if (!grid.Contains(cx, cy) || grid.At(cx, cy) != target) continue;
        grid.At(cx, cy) = colour;
        pending.insert(pending.end(), {{cx, cy + 1}, {cx - 1, cy}, {cx + 1, cy}, {cx, cy - 1}});
    }
}

void ReplaceStampColour(StampGrid& grid, u16 to, i32 from) {
    for (i32 y = 0; y < grid.height; ++y)
        for (i32 x = 0; x < grid.width; ++x)
            if (from < 0 || grid.At(x, y) == u16(from)) grid.At(x, y) = to;
}

void RotateStamp(StampGrid& grid) {
    StampGrid turned = BlankStamp(grid.height, grid.width);
    for (i32 y = 0; y < grid.height; ++y)
        for (i32 x = 0; x < grid.width; ++x) turned.At(grid.height - 1 - y, x) = grid.At(x, y);
    grid = turned;
}

void FlipStamp(StampGrid& grid, bool mirrorRows) {
    const StampGrid before = grid;
    for (i32 y = 0; y < grid.height; ++y)
        for (i32 x = 0; x < grid.width; ++x)
            grid.At(x, y) = mirrorRows ? before.At(grid.width - 1 - x, y) : before.At(x, grid.height - 1 - y);
}

}  // namespace Ostrel
