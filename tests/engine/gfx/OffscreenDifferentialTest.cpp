// The direct-memory paths of the 8- and 16-bit offscreen ports against the base operations,
// which draw through the drawing layer: random pictures, positions (negative ones included),
// port origins, clip regions and orientations must give the same pixels both ways.
#include <algorithm>
#include <random>

#include "OffscreenTestSupport.h"
#include "PackedEncoders.h"

namespace {

class Scenario {
public:
    explicit Scenario(u32 seed) : rng_(seed) {}
    i32 between(i32 low, i32 high) { return low + i32(rng_() % u32(high - low + 1)); }
    bool coin() { return rng_() % 2 == 0; }
    Rect16 rect(i32 width, i32 height) {
        i32 l = between(-4, width), t = between(-4, height);
        return Rect16{i16(l), i16(t), i16(l + between(1, width)), i16(t + between(1, height))};
    }
    std::vector<Rect16> clip(i32 width, i32 height) {
        std::vector<Rect16> rects;
        int n = between(0, 3);
        if (n == 0) rects.push_back(kGfxWholePlane);
        for (int i = 0; i < n; ++i) rects.push_back(rect(width, height));
        return rects;
    }
    // Indices where zeros come only in runs of 3 to 128, which the encoder packs as repeats.
    std::vector<u8> indices(size_t width, size_t height, bool zerosInRunsOnly) {
        std::vector<u8> v(width * height);
        for (size_t y = 0; y < height; ++y)
            for (size_t x = 0; x < width;) {
                size_t run = size_t(between(1, 9));
                bool zeros = zerosInRunsOnly && between(0, 3) == 0 && run >= 3 && x + run <= width;
                for (size_t k = 0; k < run && x < width; ++k, ++x)
                    v[y * width + x] = zeros ? 0 : u8(between(zerosInRunsOnly ? 1 : 0, 255));
                if (zeros && x < width) v[y * width + x++] = u8(between(1, 255));
            }
        return v;
    }
    u16 word() { return u16(rng_() & 0x7FFF); }
    // Where a picture of random size lands, partly outside the store at times.
    Rect16 destination(const Rect16& store, u16* width, u16* height) {
        *width = u16(between(1, 30));
        *height = u16(between(1, 20));
        i16 x = i16(between(-12, store.right)), y = i16(between(-12, store.bottom));
        return Rect16{x, y, i16(x + *width), i16(y + *height)};
    }

private:
    std::mt19937 rng_;
};

// Packed 16-bit rows: random runs of literals and repeats with gaps.
std::vector<u8> randomPacked16(Scenario& s, u16 width, u16 height) {
    Packed16 p;
    for (u16 y = 0; y < height; ++y) {
        if (s.between(0, 5) == 0) {
            p.emptyRows(1);
            continue;
        }
        if (s.coin()) {
            p.repeatRow(u16(s.between(1, width)), s.word(), u16(s.between(0, 2)));
            continue;
        }
        std::vector<std::vector<u16>> literals;
        std::vector<u16> gaps;
        for (int i = s.between(1, 3); i > 0; --i) {
            literals.emplace_back();
            for (int k = s.between(1, 5); k > 0; --k) literals.back().push_back(s.word());
            gaps.push_back(u16(s.between(0, 3)));
        }
        p.row(u16(s.between(0, 3)), literals, gaps);
    }
    return p.bytes;
}

// The first byte where two stores differ, or -1.
long firstDifference(const std::vector<u8>& a, const std::vector<u8>& b) {
    auto where = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return where.first == a.end() ? -1 : long(where.first - a.begin());
}

class OffscreenDifferentialTest : public OffscreenTest {
protected:
    // Two ports of one depth with the same random contents, origin and clip region.
    void makePair(Scenario& s, u16 depth, GfxOffscreenPort** fast, GfxOffscreenPort** base) {
        u16 width = u16(s.between(4, 40)), height = u16(s.between(4, 24));
        *fast = makeOffscreen(width, height, depth, nullptr, false);
        *base = makeOffscreen(width, height, depth, nullptr, false);
        Point16 origin{i16(s.between(-8, 8)), i16(s.between(-8, 8))};
        std::vector<Rect16> clip = s.clip(width, height);
        std::vector<u8> contents = s.indices(size_t(width) * depth / 8, height, false);
        for (GfxOffscreenPort* port : {*fast, *base}) {
            gfxSetPort(port);
            gfxSetPortOrigin(u16(origin.h), u16(origin.v));
            setClip(port, clip);
            for (i32 y = 0; y < height; ++y) std::memcpy(row(port, y), contents.data() + size_t(y) * width * depth / 8, width * depth / 8);
            if (depth == 16)
                for (i32 y = 0; y < height; ++y)
                    for (i32 x = 0; x < width; ++x) setWord(port, x, y, word(port, x, y) & 0x7FFF);
        }
    }
};

}  // namespace

TEST_F(OffscreenDifferentialTest, EightBitPixelBuffersMatchTheBasePath) {
    Scenario s(1234);
    for (int round = 0; round < 300; ++round) {
        GfxOffscreenPort *fast, *base;
        makePair(s, 8, &fast, &base);
        u16 width, height;
        Rect16 dst = s.destination(fast->Store().bounds, &width, &height);
        u16 mode = s.coin() ? 0 : kGfxModeTransparent;
        int kind = s.between(0, 2);
        std::vector<u8> data;
        u16 format = 2, flags = 0;
        i16 rowBytes = 0;
        if (kind == 0) {
            rowBytes = i16((width + 3) & ~3);
            data = s.indices(size_t(rowBytes), height, false);
            if (s.coin()) rowBytes = i16(-rowBytes);
        } else if (kind == 1) {
            format = 0;
            mode = kGfxModeTransparent;
            rowBytes = i16(((width + 31) / 32) * 4);
            data = s.indices(size_t(rowBytes), height, false);
            fast->foreColor.FromIndex(i16(s.between(0, 255)));
            base->foreColor = fast->foreColor;
        } else {
            format = 2 | kGfxFormatPacked8;
            data = encodePacked8(s.indices(width, height, true), width, height);
            flags = u16((s.coin() ? kGfxCopyMirror : 0) | (s.coin() ? kGfxCopyFlip : 0));
        }
        ASSERT_EQ(fast->DrawPixels(dst, width, height, rowBytes, format, data.data(), u32(data.size()), mode, flags), kErrNone);
        ASSERT_EQ(base->GfxPort::DrawPixels(dst, width, height, rowBytes, format, data.data(), u32(data.size()), mode, flags), kErrNone);
        long at = firstDifference(pixels(fast), pixels(base));
        ASSERT_EQ(at, -1) << "fast " << int(pixels(fast)[at < 0 ? 0 : at]) << " base " << int(pixels(base)[at < 0 ? 0 : at])
                          << " round " << round << " kind " << kind << " mode " << mode << " flags " << flags;
    }
}

TEST_F(OffscreenDifferentialTest, SixteenBitPixelBuffersMatchTheBasePath) {
    Scenario s(99);
    for (int round = 0; round < 300; ++round) {
        GfxOffscreenPort *fast, *base;
        makePair(s, 16, &fast, &base);
        u16 width, height;
        Rect16 dst = s.destination(fast->Store().bounds, &width, &height);
        u16 mode = s.coin() ? 0 : kGfxModeTransparent;
        std::vector<u8> data;
        u16 format = 3;
        i16 rowBytes = 0;
        if (s.coin()) {
            rowBytes = i16((2 * width + 3) & ~3);
            for (size_t i = 0; i < size_t(rowBytes) * height / 2; ++i) pushLE16(data, s.word());
            if (s.coin()) rowBytes = i16(-rowBytes);
        } else {
            format = 3 | kGfxFormatPacked16;
            data = randomPacked16(s, width, height);
        }
        ASSERT_EQ(fast->DrawPixels(dst, width, height, rowBytes, format, data.data(), u32(data.size()), mode, 0), kErrNone);
        ASSERT_EQ(base->GfxPort::DrawPixels(dst, width, height, rowBytes, format, data.data(), u32(data.size()), mode, 0), kErrNone);
        ASSERT_EQ(firstDifference(pixels(fast), pixels(base)), -1) << "round " << round << " format " << format << " mode " << mode;
    }
}

TEST_F(OffscreenDifferentialTest, MemoryCopiesAndFillsMatchTheBasePath) {
    Scenario s(7);
    for (int round = 0; round < 200; ++round) {
        u16 depth = s.coin() ? 8 : 16;
        GfxOffscreenPort *fastDst, *baseDst;
        makePair(s, depth, &fastDst, &baseDst);
        GfxOffscreenPort* source = makeOffscreen(u16(s.between(4, 40)), u16(s.between(4, 24)), depth, nullptr, false);
        for (i32 y = 0; y < source->Store().bounds.bottom; ++y)
            for (i32 x = 0; x < source->Store().bounds.right; ++x) {
                if (depth == 8) row(source, y)[x] = u8(s.between(0, 255));
                else setWord(source, x, y, s.word());
            }
        gfxSetPort(source);
        gfxSetPortOrigin(u16(s.between(-5, 5)), u16(s.between(-5, 5)));
        Rect16 from = s.rect(source->Store().bounds.right, source->Store().bounds.bottom);
        i16 x = i16(s.between(-10, 30)), y = i16(s.between(-10, 20));
        Rect16 to{x, y, i16(x + from.right - from.left), i16(y + from.bottom - from.top)};
        ASSERT_EQ(source->CopyBits(fastDst, to, from, 0, 0), kErrNone);
        ASSERT_EQ(source->GfxPort::CopyBits(baseDst, to, from, 0, 0), kErrNone);
        ASSERT_EQ(firstDifference(pixels(fastDst), pixels(baseDst)), -1) << "round " << round << " depth " << depth;

        if (depth != 8) continue;
        GfxColor colour;
        colour.FromIndex(i16(s.between(0, 255)));
        Rect16 area = s.rect(30, 20);
        ASSERT_EQ(fastDst->FillColorRect(area, colour, 0), kErrNone);
        ASSERT_EQ(baseDst->GfxPort::FillColorRect(area, colour, 0), kErrNone);
        ASSERT_EQ(firstDifference(pixels(fastDst), pixels(baseDst)), -1) << "fill round " << round;
    }
}

TEST_F(OffscreenDifferentialTest, WholeStoreCopiesMatchTheBasePathOnBothSidesOfRowPadding) {
    // At 8 bits a width of 12 fills its rows exactly (one block copy), 13 pads them to 16
    // (row by row); at 16 bits, 12 and 13 words likewise.
    struct Shape {
        u16 depth;
        u16 width;
    };
    const Shape shapes[] = {{8, 12}, {8, 13}, {16, 12}, {16, 13}};
    Scenario s(31);
    for (const Shape& shape : shapes) {
        for (int round = 0; round < 20; ++round) {
            const u16 height = u16(s.between(2, 12));
            GfxOffscreenPort* source = makeOffscreen(shape.width, height, shape.depth, nullptr, false);
            GfxOffscreenPort* fast = makeOffscreen(shape.width, height, shape.depth, nullptr, false);
            GfxOffscreenPort* base = makeOffscreen(shape.width, height, shape.depth, nullptr, false);
            for (i32 y = 0; y < height; ++y)
                for (i32 x = 0; x < shape.width; ++x) {
                    if (shape.depth == 8) row(source, y)[x] = u8(s.between(0, 255));
                    else setWord(source, x, y, s.word());
                }
            const std::vector<Rect16> clip = s.clip(shape.width, height);
            for (GfxOffscreenPort* port : {fast, base}) setClip(port, clip);
            const Rect16 all{0, 0, i16(shape.width), i16(height)};
            ASSERT_EQ(source->CopyBits(fast, all, all, 0, 0), kErrNone);
            ASSERT_EQ(source->GfxPort::CopyBits(base, all, all, 0, 0), kErrNone);
            ASSERT_EQ(firstDifference(pixels(fast), pixels(base)), -1)
                << "depth " << shape.depth << " width " << shape.width << " round " << round;
        }
    }
}
