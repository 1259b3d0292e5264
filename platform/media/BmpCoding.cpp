#include "platform/media/BmpCoding.h"

#include <algorithm>
#include <bit>

#include "platform/media/ByteReader.h"

namespace plat::media {

namespace {

constexpr uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3;

struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
    uint8_t of(uint32_t v) const {
        if (!mask) return 0;
        const uint32_t c = (v & mask) >> shift;
        if (bits >= 8) return uint8_t(c >> (bits - 8));
        const uint32_t max = (1u << bits) - 1;
        return uint8_t(c * 255 / max);
    }
};

Channel channelOf(uint32_t mask) {
    Channel c;
    c.mask = mask;
    if (!mask) return c;
    c.shift = std::countr_zero(mask);
    c.bits = std::popcount(mask);
    return c;
}

struct Header {
    int32_t width = 0;
    int32_t height = 0;
    bool topDown = false;
    uint16_t bits = 0;
    uint32_t compression = kBiRgb;
    uint32_t pixelOffset = 0;
    Channel red, green, blue, alpha;
    std::vector<uint32_t> palette;  // 0x00RRGGBB
};

void putPixel(PictureImage& out, const Header& h, int32_t x, int32_t rowFromBottom, uint32_t rgb) {
    const int32_t y = h.topDown ? rowFromBottom : h.height - 1 - rowFromBottom;
    uint8_t* p = out.pixel(x, y);
    p[0] = uint8_t(rgb >> 16), p[1] = uint8_t(rgb >> 8), p[2] = uint8_t(rgb), p[3] = 255;
}

uint32_t paletteColor(const Header& h, uint32_t index) { return index < h.palette.size() ? h.palette[index] : 0; }

// RLE rows run bottom-up; pixels a stream leaves out keep colour index 0. The column stops at
// the row's end, where further pixels of the row are dropped, however far a stream steps.
MrErr decodeRle(ByteReader& in, const Header& h, PictureImage& out) {
    const bool four = h.compression == kBiRle4;
    int32_t x = 0, row = 0;
    auto put = [&](uint32_t index) {
        if (x >= h.width) return;
        if (row < h.height) putPixel(out, h, x, row, paletteColor(h, index));
        ++x;
    };
    while (in.ok() && row < h.height) {
        const uint8_t count = in.u8();
        const uint8_t value = in.u8();
        if (!in.ok()) break;
        if (count) {
            for (int i = 0; i < count; ++i) put(four ? ((i & 1) ? value & 15 : value >> 4) : value);
            continue;
        }
        if (value == 0) {
            x = 0, ++row;
        } else if (value == 1) {
            return kMrNoErr;
        } else if (value == 2) {
            x = std::min<int32_t>(x + in.u8(), h.width);
            row += in.u8();
        } else {
            // Absolute run: `value` pixels, padded to a whole word.
            const size_t bytes = size_t(four ? (value + 1) / 2 : value);
            if (in.remaining() < bytes) return kMrBadFormat;
            const uint8_t* run = in.here();
            in.skip(std::min(bytes + (bytes & 1), in.remaining()));
            for (int i = 0; i < value; ++i) put(four ? ((i & 1) ? run[i / 2] & 15 : run[i / 2] >> 4) : run[i]);
        }
    }
    return in.ok() || row >= h.height ? kMrNoErr : kMrBadFormat;
}

}  // namespace

bool looksLikeBmp(const uint8_t* data, size_t size) { return size >= 2 && data[0] == 'B' && data[1] == 'M'; }

MrErr decodeBmp(const uint8_t* data, size_t size, PictureImage& out) {
    ByteReader in(data, size);
    if (!looksLikeBmp(data, size)) return kMrBadFormat;
    in.skip(10);
    Header h;
    h.pixelOffset = in.le32();
    const uint32_t headerSize = in.le32();
    const size_t headerStart = 14;
    if (headerSize == 12) {
        h.width = in.le16();
        h.height = int16_t(in.le16());
        in.le16();
        h.bits = in.le16();
    } else if (headerSize >= 40 && headerSize <= 124) {
        h.width = int32_t(in.le32());
        h.height = int32_t(in.le32());
        in.le16();
        h.bits = in.le16();
        h.compression = in.le32();
        in.skip(12);
        uint32_t used = in.le32();
        in.le32();
        if (h.compression == kBiBitfields || headerSize >= 52) {
            const uint32_t r = in.le32(), g = in.le32(), b = in.le32();
            const uint32_t a = headerSize >= 56 ? in.le32() : 0;
            h.red = channelOf(r), h.green = channelOf(g), h.blue = channelOf(b), h.alpha = channelOf(a);
        }
        if (h.bits <= 8) {
            if (used == 0 || used > (1u << h.bits)) used = 1u << h.bits;
            size_t tableAt = headerStart + headerSize + (headerSize == 40 && h.compression == kBiBitfields ? 12 : 0);
            if (!in.seek(tableAt)) return kMrBadFormat;
            for (uint32_t i = 0; i < used && in.ok(); ++i) {
                const uint8_t b = in.u8(), g = in.u8(), r = in.u8();
                in.u8();
                h.palette.push_back((uint32_t(r) << 16) | (uint32_t(g) << 8) | b);
            }
        }
    } else {
        return kMrBadFormat;
    }
    if (headerSize == 12 && h.bits <= 8) {
        for (uint32_t i = 0; i < (1u << h.bits) && in.ok(); ++i) {
            const uint8_t b = in.u8(), g = in.u8(), r = in.u8();
            h.palette.push_back((uint32_t(r) << 16) | (uint32_t(g) << 8) | b);
        }
    }
    if (!in.ok()) return kMrBadFormat;
    if (h.height < 0) {
        if (h.height == INT32_MIN) return kMrBadFormat;
        h.topDown = true, h.height = -h.height;
    }
    const bool rle = h.compression == kBiRle8 || h.compression == kBiRle4;
    if ((h.compression == kBiRle8 && h.bits != 8) || (h.compression == kBiRle4 && h.bits != 4) || (rle && h.topDown))
        return kMrBadFormat;
    if (h.compression == kBiBitfields && h.bits != 16 && h.bits != 32) return kMrBadFormat;
    if (h.compression > kBiBitfields) return kMrBadFormat;
    if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 16 && h.bits != 24 && h.bits != 32) return kMrBadFormat;
    if (h.compression == kBiRgb && h.bits == 16) h.red = channelOf(0x7C00), h.green = channelOf(0x3E0), h.blue = channelOf(0x1F);
    if (h.compression == kBiRgb && h.bits == 32)
        h.red = channelOf(0xFF0000), h.green = channelOf(0xFF00), h.blue = channelOf(0xFF), h.alpha = {};
    if (!out.allocate(h.width, h.height)) return h.width <= 0 || h.height <= 0 ? kMrBadFormat : kMrMemFullErr;
    for (size_t i = 3; i < out.rgba.size(); i += 4) out.rgba[i] = 255;
    if (!in.seek(h.pixelOffset)) return kMrBadFormat;
    if (h.palette.empty() && h.bits <= 8) h.palette.assign(1u << h.bits, 0);
    if (rle) return decodeRle(in, h, out);

    const uint64_t stride = ((uint64_t(h.width) * h.bits + 31) / 32) * 4;
    if (stride * uint64_t(h.height) > in.remaining()) return kMrBadFormat;
    for (int32_t row = 0; row < h.height; ++row) {
        const uint8_t* p = in.here() + stride * uint64_t(row);
        for (int32_t x = 0; x < h.width; ++x) {
            uint32_t rgb = 0;
            switch (h.bits) {
                case 1: rgb = paletteColor(h, (p[x / 8] >> (7 - x % 8)) & 1); break;
                case 4: rgb = paletteColor(h, (x & 1) ? p[x / 2] & 15 : p[x / 2] >> 4); break;
                case 8: rgb = paletteColor(h, p[x]); break;
                case 24: rgb = (uint32_t(p[3 * x + 2]) << 16) | (uint32_t(p[3 * x + 1]) << 8) | p[3 * x]; break;
                default: {
                    const uint32_t v = h.bits == 16 ? uint32_t(p[2 * x] | (p[2 * x + 1] << 8))
                                                     : uint32_t(p[4 * x]) | (uint32_t(p[4 * x + 1]) << 8) |
                                                           (uint32_t(p[4 * x + 2]) << 16) | (uint32_t(p[4 * x + 3]) << 24);
                    rgb = (uint32_t(h.red.of(v)) << 16) | (uint32_t(h.green.of(v)) << 8) | h.blue.of(v);
                }
            }
            putPixel(out, h, x, row, rgb);
        }
    }
    return kMrNoErr;
}

std::vector<uint8_t> encodeBmp(const PictureImage& image) {
    const uint32_t stride = uint32_t(((image.width * 24 + 31) / 32) * 4);
    const uint32_t pixels = stride * uint32_t(image.height);
    std::vector<uint8_t> out;
    out.reserve(54 + pixels);
    auto le16 = [&](uint32_t v) { out.push_back(uint8_t(v)), out.push_back(uint8_t(v >> 8)); };
    auto le32 = [&](uint32_t v) { le16(v & 0xFFFF), le16(v >> 16); };
    out.push_back('B'), out.push_back('M');
    le32(54 + pixels), le32(0), le32(54);
    le32(40), le32(uint32_t(image.width)), le32(uint32_t(image.height)), le16(1), le16(24);
    le32(kBiRgb), le32(pixels), le32(2835), le32(2835), le32(0), le32(0);
    for (int32_t y = image.height - 1; y >= 0; --y) {
        for (int32_t x = 0; x < image.width; ++x) {
            const uint8_t* p = image.pixel(x, y);
            out.push_back(p[2]), out.push_back(p[1]), out.push_back(p[0]);
        }
        for (uint32_t pad = uint32_t(image.width) * 3; pad < stride; ++pad) out.push_back(0);
    }
    return out;
}

}  // namespace plat::media
