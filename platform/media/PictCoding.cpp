#include "platform/media/PictCoding.h"

#include <algorithm>

#include "platform/media/ByteReader.h"

namespace plat::media {

namespace {

constexpr uint16_t kOpEnd = 0x00FF;
constexpr uint16_t kOpVersion = 0x0011;
constexpr uint16_t kOpHeader = 0x0C00;
constexpr uint16_t kOpBitsRect = 0x0090, kOpBitsRgn = 0x0091, kOpPackBitsRect = 0x0098, kOpPackBitsRgn = 0x0099;
constexpr uint16_t kOpDirectBitsRect = 0x009A, kOpDirectBitsRgn = 0x009B;
// Pictures bigger than this many opcodes are not pictures we read.
constexpr int kMaxOpcodes = 100000;

struct Rect16 {
    int16_t top, left, bottom, right;
};

Rect16 readRect(ByteReader& in) {
    Rect16 r;
    r.top = int16_t(in.be16()), r.left = int16_t(in.be16()), r.bottom = int16_t(in.be16()), r.right = int16_t(in.be16());
    return r;
}

// Expands one PackBits row of `unit`-byte items into `out` (exactly out.size() bytes).
bool unpackBits(const uint8_t* in, size_t inSize, std::vector<uint8_t>& out, int unit) {
    size_t i = 0, o = 0;
    while (o < out.size()) {
        if (i >= inSize) return false;
        const int8_t flag = int8_t(in[i++]);
        if (flag >= 0) {
            const size_t n = (size_t(flag) + 1) * size_t(unit);
            if (i + n > inSize || o + n > out.size()) return false;
            std::copy(in + i, in + i + n, out.begin() + ptrdiff_t(o));
            i += n, o += n;
        } else if (flag != -128) {
            const size_t times = size_t(1 - flag);
            if (i + size_t(unit) > inSize || o + times * size_t(unit) > out.size()) return false;
            for (size_t t = 0; t < times; ++t)
                for (int b = 0; b < unit; ++b) out[o++] = in[i + size_t(b)];
            i += size_t(unit);
        }
    }
    return true;
}

// The size of an opcode's data that we skip; -1 for data we cannot size.
int64_t skipOpcode(uint16_t op, ByteReader& in) {
    auto sized16 = [&]() { return int64_t(in.be16()); };
    if (op >= 0x8100) return int64_t(in.be32());
    if (op >= 0x8000) return 0;
    if (op >= 0x0100) return op == kOpHeader ? 24 : int64_t(op >> 8) * 2;
    if (op >= 0xD0 && op <= 0xFE) return int64_t(in.be32());
    if (op >= 0xB0) return 0;
    if (op == 0xA0) return 2;
    if (op == 0xA1) {
        in.be16();
        return sized16();
    }
    if ((op >= 0xA2 && op <= 0xAF) || (op >= 0x92 && op <= 0x97) || (op >= 0x9C && op <= 0x9F) ||
        (op >= 0x24 && op <= 0x27) || (op >= 0x2C && op <= 0x2F))
        return sized16();
    if (op == 0x01 || (op >= 0x70 && op <= 0x77) || (op >= 0x80 && op <= 0x87)) {
        const int64_t size = sized16();
        return size >= 2 ? size - 2 : -1;
    }
    if ((op >= 0x78 && op <= 0x7F) || (op >= 0x88 && op <= 0x8F)) return 0;
    if (op >= 0x60 && op <= 0x67) return 12;
    if (op >= 0x68 && op <= 0x6F) return 4;
    if ((op >= 0x30 && op <= 0x37) || (op >= 0x40 && op <= 0x47) || (op >= 0x50 && op <= 0x57)) return 8;
    if ((op >= 0x38 && op <= 0x3F) || (op >= 0x48 && op <= 0x4F) || (op >= 0x58 && op <= 0x5F)) return 0;
    if (op == 0x28) {
        in.skip(4);
        return in.u8();
    }
    if (op == 0x29 || op == 0x2A) {
        in.skip(1);
        return in.u8();
    }
    if (op == 0x2B) {
        in.skip(2);
        return in.u8();
    }
    static constexpr int8_t kFixed[0x24] = {0, -1, 8, 2, 1, 2, 4, 4, 2, 8, 8, 4, 4, 2, 4, 4, 8, 2,
                                            -1, -1, -1, 2, 2, 0, 0, 0, 6, 6, 0, 6, 0, 6, 8, 4, 6, 2};
    return op < 0x24 ? kFixed[op] : -1;
}

struct Bitmap {
    uint16_t rowBytes = 0;
    bool pixmap = false;
    Rect16 bounds{};
    uint16_t packType = 0;
    uint16_t pixelSize = 1;
    uint16_t cmpCount = 1;
    std::vector<uint32_t> table;  // 0x00RRGGBB
};

// Reads the pixel rows of a bitmap opcode and draws them from `src` onto `dst` of the frame.
MrErr drawBitmap(ByteReader& in, uint16_t op, const Rect16& frame, PictureImage& out) {
    Bitmap bm;
    const bool direct = op == kOpDirectBitsRect || op == kOpDirectBitsRgn;
    if (direct) in.be32();
    bm.rowBytes = in.be16();
    bm.pixmap = direct || (bm.rowBytes & 0x8000);
    bm.rowBytes &= 0x3FFF;
    bm.bounds = readRect(in);
    if (bm.pixmap) {
        in.be16();
        bm.packType = in.be16();
        in.skip(12);
        in.be16();
        bm.pixelSize = in.be16();
        bm.cmpCount = in.be16();
        in.skip(14);
        if (!direct) {
            in.be32();
            in.be16();
            const uint32_t count = uint32_t(in.be16()) + 1;
            for (uint32_t i = 0; i < count && in.ok(); ++i) {
                in.be16();
                const uint8_t r = uint8_t(in.be16() >> 8), g = uint8_t(in.be16() >> 8), b = uint8_t(in.be16() >> 8);
                bm.table.push_back((uint32_t(r) << 16) | (uint32_t(g) << 8) | b);
            }
        }
    } else {
        bm.table = {0xFFFFFF, 0x000000};
    }
    const Rect16 src = readRect(in), dst = readRect(in);
    in.be16();
    if (op == kOpBitsRgn || op == kOpPackBitsRgn || op == kOpDirectBitsRgn) {
        const uint16_t regionSize = in.be16();
        if (regionSize < 2 || !in.skip(regionSize - 2u)) return kMrBadFormat;
    }
    if (!in.ok()) return kMrBadFormat;
    const int bits = bm.pixelSize;
    if (!(bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16 || bits == 32)) return kMrBadFormat;
    const int32_t width = int32_t(bm.bounds.right) - bm.bounds.left, height = int32_t(bm.bounds.bottom) - bm.bounds.top;
    if (width <= 0 || height <= 0 || uint64_t(width) * uint64_t(height) > kMaxPicturePixels) return kMrBadFormat;
    if (uint32_t(bm.rowBytes) * 8 < uint32_t(width) * uint32_t(bits == 32 && bm.packType == 2 ? 24 : bits))
        return kMrBadFormat;
    if (bits <= 8 && bm.table.empty()) return kMrBadFormat;
    const bool packed = bm.rowBytes >= 8 && !(op == kOpBitsRect || op == kOpBitsRgn) && bm.packType != 1 &&
                        !(bits == 32 && bm.packType == 2);
    // The unpacked row as it stands in memory: planar components for packing type 4.
    const bool planar = bits == 32 && bm.packType != 1 && bm.packType != 2 && bm.rowBytes >= 8;
    // Planar rows hold red, green and blue planes, after an alpha plane when there are four.
    if (planar && bm.cmpCount != 3 && bm.cmpCount != 4) return kMrBadFormat;
    const size_t rowSize = planar ? size_t(width) * bm.cmpCount
                           : bits == 32 && bm.packType == 2 ? size_t(width) * 3
                                                            : size_t(bm.rowBytes);
    std::vector<uint8_t> row(rowSize);
    const int32_t srcW = int32_t(src.right) - src.left, srcH = int32_t(src.bottom) - src.top;
    const int32_t dstW = int32_t(dst.right) - dst.left, dstH = int32_t(dst.bottom) - dst.top;
    for (int32_t y = 0; y < height; ++y) {
        if (packed) {
            const size_t count = bm.rowBytes > 250 ? in.be16() : in.u8();
            if (!in.ok() || count > in.remaining()) return kMrBadFormat;
            if (!unpackBits(in.here(), count, row, bits == 16 ? 2 : 1)) return kMrBadFormat;
            in.skip(count);
        } else {
            if (row.size() > in.remaining()) return kMrBadFormat;
            std::copy(in.here(), in.here() + row.size(), row.begin());
            in.skip(row.size());
        }
        if (srcW <= 0 || srcH <= 0 || dstW <= 0 || dstH <= 0) continue;
        // Destination rows that this source row covers (nearest sampling: row dy shows source
        // row dy x srcH / dstH), within the frame: found by arithmetic, not by walking every row
        // of a destination that may lie far outside the frame.
        const int64_t k = int64_t(bm.bounds.top) + y - src.top;
        if (k < 0 || k >= srcH) continue;
        const int64_t dyBegin = std::max<int64_t>((k * dstH + srcH - 1) / srcH, int64_t(frame.top) - dst.top);
        const int64_t dyEnd = std::min<int64_t>(((k + 1) * dstH + srcH - 1) / srcH, int64_t(frame.top) - dst.top + out.height);
        const int64_t dxBegin = std::max<int64_t>(0, int64_t(frame.left) - dst.left);
        const int64_t dxEnd = std::min<int64_t>(dstW, int64_t(frame.left) - dst.left + out.width);
        for (int64_t dy = dyBegin; dy < dyEnd; ++dy) {
            const int32_t oy = int32_t(dst.top + dy - frame.top);
            for (int64_t dx = dxBegin; dx < dxEnd; ++dx) {
                const int32_t ox = int32_t(dst.left + dx - frame.left);
                const int32_t bx = src.left + int32_t(dx * srcW / dstW) - bm.bounds.left;
                if (bx < 0 || bx >= width) continue;
                uint32_t rgb = 0;
                if (bits <= 8) {
                    const uint32_t index = (row[size_t(bx) * bits / 8] >> (8 - bits - (bx * bits) % 8)) & ((1u << bits) - 1);
                    rgb = index < bm.table.size() ? bm.table[index] : 0;
                } else if (bits == 16) {
                    const uint32_t v = (uint32_t(row[2 * size_t(bx)]) << 8) | row[2 * size_t(bx) + 1];
                    auto w5 = [](uint32_t c) { return (c << 3) | (c >> 2); };
                    rgb = (w5((v >> 10) & 31) << 16) | (w5((v >> 5) & 31) << 8) | w5(v & 31);
                } else if (planar) {
                    const size_t first = bm.cmpCount == 4 ? size_t(width) : 0;
                    rgb = (uint32_t(row[first + size_t(bx)]) << 16) | (uint32_t(row[first + size_t(width) + size_t(bx)]) << 8) |
                          row[first + 2 * size_t(width) + size_t(bx)];
                } else if (bm.packType == 2) {
                    rgb = (uint32_t(row[3 * size_t(bx)]) << 16) | (uint32_t(row[3 * size_t(bx) + 1]) << 8) | row[3 * size_t(bx) + 2];
                } else {
                    rgb = (uint32_t(row[4 * size_t(bx) + 1]) << 16) | (uint32_t(row[4 * size_t(bx) + 2]) << 8) | row[4 * size_t(bx) + 3];
                }
                uint8_t* p = out.pixel(ox, oy);
                p[0] = uint8_t(rgb >> 16), p[1] = uint8_t(rgb >> 8), p[2] = uint8_t(rgb), p[3] = 255;
            }
        }
    }
    return in.ok() ? kMrNoErr : kMrBadFormat;
}

// Where the picture starts: after a 512-byte file header, or at once.
size_t pictureStart(const uint8_t* data, size_t size) {
    auto versionAt = [&](size_t at) {
        return size >= at + 14 && data[at + 10] == 0x00 && data[at + 11] == 0x11 && data[at + 12] == 0x02 &&
               data[at + 13] == 0xFF;
    };
    if (versionAt(512)) return 512;
    if (versionAt(0)) return 0;
    return SIZE_MAX;
}

void putRow(std::vector<uint8_t>& out, const std::vector<uint8_t>& plain, uint16_t rowBytes) {
    // Literal runs only: the packing keeps to whole 128-byte literals, which every reader takes.
    std::vector<uint8_t> packed;
    for (size_t i = 0; i < plain.size(); i += 128) {
        const size_t n = std::min<size_t>(128, plain.size() - i);
        packed.push_back(uint8_t(n - 1));
        packed.insert(packed.end(), plain.begin() + ptrdiff_t(i), plain.begin() + ptrdiff_t(i + n));
    }
    if (rowBytes > 250) out.push_back(uint8_t(packed.size() >> 8));
    out.push_back(uint8_t(packed.size()));
    out.insert(out.end(), packed.begin(), packed.end());
}

}  // namespace

bool looksLikePict(const uint8_t* data, size_t size) { return pictureStart(data, size) != SIZE_MAX; }

MrErr decodePict(const uint8_t* data, size_t size, PictureImage& out) {
    const size_t start = pictureStart(data, size);
    if (start == SIZE_MAX) return kMrBadFormat;
    ByteReader in(data + start, size - start);
    in.be16();
    const Rect16 frame = readRect(in);
    if (!out.allocate(int32_t(frame.right) - frame.left, int32_t(frame.bottom) - frame.top, 255)) return kMrBadFormat;
    in.skip(4);  // version opcode and its word
    for (int n = 0; n < kMaxOpcodes; ++n) {
        if (in.position() & 1) in.skip(1);
        const uint16_t op = in.be16();
        if (!in.ok()) return kMrBadFormat;
        if (op == kOpEnd) return kMrNoErr;
        if (op == kOpBitsRect || op == kOpBitsRgn || op == kOpPackBitsRect || op == kOpPackBitsRgn ||
            op == kOpDirectBitsRect || op == kOpDirectBitsRgn) {
            if (const MrErr err = drawBitmap(in, op, frame, out)) return err;
            continue;
        }
        if (op == kOpVersion) {
            in.skip(2);
            continue;
        }
        const int64_t skip = skipOpcode(op, in);
        if (skip < 0 || !in.skip(size_t(skip))) return kMrBadFormat;
    }
    return kMrBadFormat;
}

std::vector<uint8_t> encodePict(const PictureImage& image) {
    // Row bytes have 14 bits: 32-bit rows end at 4095 pixels.
    if (image.width <= 0 || image.width * 4 > 0x3FFF || image.height > 0x7FFF) return {};
    std::vector<uint8_t> out(512, 0);
    auto be16 = [&](uint32_t v) { out.push_back(uint8_t(v >> 8)), out.push_back(uint8_t(v)); };
    auto be32 = [&](uint32_t v) { be16(v >> 16), be16(v & 0xFFFF); };
    auto rect = [&](int32_t w, int32_t h) { be16(0), be16(0), be16(uint32_t(h)), be16(uint32_t(w)); };
    const uint16_t rowBytes = uint16_t(image.width * 4);
    be16(0);  // the size word: pictures over 32 KB leave it to the end opcode
    rect(image.width, image.height);
    be16(kOpVersion), be16(0x02FF);
    be16(kOpHeader), be16(0xFFFE), be16(0), be32(72 << 16), be32(72 << 16);
    rect(image.width, image.height), be32(0);
    be16(0x0001), be16(10), rect(image.width, image.height);  // clip region
    be16(kOpDirectBitsRect);
    be32(0xFF);
    be16(0x8000u | rowBytes);
    rect(image.width, image.height);
    be16(0), be16(4), be32(0), be32(72 << 16), be32(72 << 16);
    be16(16), be16(32), be16(3), be16(8), be32(0), be32(0), be32(0);
    rect(image.width, image.height), rect(image.width, image.height), be16(0);  // source, destination, copy mode
    std::vector<uint8_t> plain(size_t(image.width) * 3);
    for (int32_t y = 0; y < image.height; ++y) {
        for (int32_t x = 0; x < image.width; ++x) {
            const uint8_t* p = image.pixel(x, y);
            for (int c = 0; c < 3; ++c) plain[size_t(c) * size_t(image.width) + size_t(x)] = p[c];
        }
        if (rowBytes < 8) {
            // Narrow rows are stored unpacked, with the pad byte.
            for (int32_t x = 0; x < image.width; ++x) {
                const uint8_t* p = image.pixel(x, y);
                out.push_back(0), out.push_back(p[0]), out.push_back(p[1]), out.push_back(p[2]);
            }
            continue;
        }
        putRow(out, plain, rowBytes);
    }
    if (out.size() & 1) out.push_back(0);
    be16(kOpEnd);
    const size_t size = out.size() - 512;
    out[512] = uint8_t(size >> 8), out[513] = uint8_t(size);
    return out;
}

}  // namespace plat::media
