// Writes the stored-bitmap fuzzer's seeds with our own encoders: plain rows of every depth,
// top-down and bottom-up, with and without a colour table of either entry form, packed 8-bit
// rows, and LZ-compressed bitmaps in both header forms at the smallest and largest window.
#include <string>
#include <vector>

#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxPort.h"
#include "tests/FuzzSeeds.h"
#include "tests/engine/gfx/PackedEncoders.h"

namespace {

std::vector<u8> header(u16 width, u16 height, i16 rowBytes, u16 format) {
    std::vector<u8> b;
    for (u16 v : {width, height, u16(rowBytes), format}) pushBE16(b, v);
    return b;
}

std::vector<u8> pattern(size_t n) {
    std::vector<u8> bytes(n);
    for (size_t i = 0; i < n; ++i) bytes[i] = u8((i * 7) % 13 < 5 ? 0x11 : i * 29);
    return bytes;
}

std::vector<u8> plain(u16 width, u16 height, u16 depthCode, bool bottomUp) {
    static const int bits[] = {1, 4, 8, 16, 24};
    const u16 step = u16((width * bits[depthCode] + 7) / 8 + 1);
    std::vector<u8> b = header(width, height, bottomUp ? i16(-step) : i16(step), depthCode);
    const std::vector<u8> rows = pattern(size_t(step) * height);
    b.insert(b.end(), rows.begin(), rows.end());
    return b;
}

// A colour table block: its size, a spare byte, the entry form, the count less one, entries.
std::vector<u8> withTable(std::vector<u8> bitmap, u8 form, u8 entries) {
    std::vector<u8> block{0, 0, form, u8(entries - 1)};
    const std::vector<u8> colours = pattern(size_t(entries) * (form == kGfxTableEntriesBgr ? 3 : 2));
    block.insert(block.end(), colours.begin(), colours.end());
    block[0] = u8(block.size() >> 8), block[1] = u8(block.size());
    bitmap[7] |= kGfxFormatColorTable;
    bitmap.insert(bitmap.begin() + kGfxBitmapHeaderSize, block.begin(), block.end());
    return bitmap;
}

std::vector<u8> lz(const std::vector<u8>& pixels, u16 width, u16 windowBits, u16 compression) {
    std::vector<u8> b = header(width, u16(pixels.size() / width), i16(width), u16(2 | compression));
    pushBE32(b, u32(pixels.size()));
    pushBE32(b, 0);
    pushBE16(b, u16(1u << windowBits));
    if (compression == kGfxFormatLzLong) pushBE32(b, 0);
    const std::vector<u8> stream = encodeLz(pixels, windowBits);
    b.insert(b.end(), stream.begin(), stream.end());
    return b;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    fuzzseeds::resetFolder(folder);
    for (u16 code = 0; code < 5; ++code) {
        fuzzseeds::save(folder, "plain-" + std::to_string(code), plain(13, 7, code, false));
        fuzzseeds::save(folder, "bottom-up-" + std::to_string(code), plain(9, 5, code, true));
    }
    fuzzseeds::save(folder, "table-555", withTable(plain(16, 4, 2, false), kGfxTableEntries555, 200));
    fuzzseeds::save(folder, "table-bgr", withTable(plain(16, 4, 1, false), kGfxTableEntriesBgr, 16));
    std::vector<u8> packed8 = header(24, 6, 24, kGfxFormatPacked8 | 2);
    const std::vector<u8> rows8 = encodePacked8(pattern(24 * 6), 24, 6);
    packed8.insert(packed8.end(), rows8.begin(), rows8.end());
    fuzzseeds::save(folder, "packed-8", packed8);
    fuzzseeds::save(folder, "packed-8-table", withTable(packed8, kGfxTableEntries555, 255));
    const std::vector<u8> picture = pattern(600);
    fuzzseeds::save(folder, "lz-short-8", lz(picture, 30, kGfxMinWindowBits, kGfxFormatLzShort));
    fuzzseeds::save(folder, "lz-long-12", lz(picture, 30, kGfxMaxWindowBits, kGfxFormatLzLong));
    return 0;
}
