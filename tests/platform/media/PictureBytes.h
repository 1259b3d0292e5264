#pragma once
// Picture files written byte by byte for the reader tests, independent of the runtime's own
// writers: BMP of every depth and packing, PICT version 2 bitmap opcodes.
#include <cstdint>
#include <vector>

namespace picturebytes {

struct Bytes {
    std::vector<uint8_t> b;
    void u8(uint32_t v) { b.push_back(uint8_t(v)); }
    void le16(uint32_t v) { u8(v), u8(v >> 8); }
    void le32(uint32_t v) { le16(v & 0xFFFF), le16(v >> 16); }
    void be16(uint32_t v) { u8(v >> 8), u8(v); }
    void be32(uint32_t v) { be16(v >> 16), be16(v & 0xFFFF); }
    void add(const std::vector<uint8_t>& more) { b.insert(b.end(), more.begin(), more.end()); }
};

// A BMP with an info header: `palette` 0x00RRGGBB entries, `pixels` the stored pixel bytes
// exactly as they go in the file (rows already padded, bottom-up unless height < 0).
inline std::vector<uint8_t> bmp(int32_t width, int32_t height, uint16_t bits, uint32_t compression,
                                const std::vector<uint32_t>& palette, const std::vector<uint8_t>& pixels,
                                const std::vector<uint32_t>& masks = {}) {
    Bytes h;
    const uint32_t offset = 14 + 40 + uint32_t(masks.size()) * 4 + uint32_t(palette.size()) * 4;
    h.u8('B'), h.u8('M'), h.le32(offset + uint32_t(pixels.size())), h.le32(0), h.le32(offset);
    h.le32(40), h.le32(uint32_t(width)), h.le32(uint32_t(height)), h.le16(1), h.le16(bits);
    h.le32(compression), h.le32(uint32_t(pixels.size())), h.le32(2835), h.le32(2835);
    h.le32(uint32_t(palette.size())), h.le32(0);
    for (uint32_t m : masks) h.le32(m);
    for (uint32_t c : palette) h.u8(c), h.u8(c >> 8), h.u8(c >> 16), h.u8(0);
    h.add(pixels);
    return h.b;
}

// A PICT (with its 512-byte file header) of one PackBitsRect opcode: 8-bit indices, rows
// packed as literal runs, over a frame of the bitmap's size.
inline std::vector<uint8_t> pict8(uint16_t width, uint16_t height, const std::vector<uint32_t>& palette,
                                  const std::vector<uint8_t>& indices) {
    Bytes p;
    p.b.assign(512, 0);
    p.be16(0), p.be16(0), p.be16(0), p.be16(height), p.be16(width);
    p.be16(0x0011), p.be16(0x02FF);
    p.be16(0x0C00);
    for (int i = 0; i < 12; ++i) p.be16(0);
    p.be16(0x001E);  // DefHilite, no data
    p.be16(0x0001), p.be16(10), p.be16(0), p.be16(0), p.be16(height), p.be16(width);
    p.be16(0x0098);
    const uint16_t rowBytes = uint16_t((width + 1) & ~1);
    p.be16(0x8000u | rowBytes), p.be16(0), p.be16(0), p.be16(height), p.be16(width);
    p.be16(0), p.be16(0), p.be32(0), p.be32(72 << 16), p.be32(72 << 16);
    p.be16(0), p.be16(8), p.be16(1), p.be16(8), p.be32(0), p.be32(0), p.be32(0);
    p.be32(0), p.be16(0), p.be16(uint16_t(palette.size() - 1));
    for (size_t i = 0; i < palette.size(); ++i) {
        const uint32_t c = palette[i];
        p.be16(uint32_t(i)), p.be16(((c >> 16) & 0xFF) * 0x101), p.be16(((c >> 8) & 0xFF) * 0x101), p.be16((c & 0xFF) * 0x101);
    }
    p.be16(0), p.be16(0), p.be16(height), p.be16(width);  // source
    p.be16(0), p.be16(0), p.be16(height), p.be16(width);  // destination
    p.be16(0);                                              // copy mode
    for (uint16_t y = 0; y < height; ++y) {
        std::vector<uint8_t> row(indices.begin() + y * width, indices.begin() + (y + 1) * width);
        row.resize(rowBytes, 0);
        if (rowBytes < 8) {
            p.add(row);
            continue;
        }
        p.u8(uint32_t(row.size() + 1));
        p.u8(uint32_t(row.size() - 1));
        p.add(row);
    }
    if (p.b.size() & 1) p.u8(0);
    p.be16(0x00FF);
    return p.b;
}

}  // namespace picturebytes
