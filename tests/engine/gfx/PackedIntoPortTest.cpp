// The packed-row writers of the 8- and 16-bit offscreen ports against the plain walk of the
// same rows placed pixel by pixel: clip edges on, before and after run boundaries, pictures
// reaching out of the store on every side, and random pictures with runs long enough to take
// every size class of the span copies.
#include <random>

#include "GuardedBytes.h"
#include "OffscreenTestSupport.h"
#include "PackedEncoders.h"
#include "PackedPlacement.h"
#include "PackedRows8Samples.h"
#include "engine/gfx/GfxErrors.h"

namespace {

constexpr u16 kStoreWidth = 200;
constexpr u16 kStoreHeight = 12;

using Drawing = PackedDrawing;

class PackedIntoPortTest : public OffscreenTest {
protected:
    // Draws into a port filled with a pattern and compares it with the walk's placement. The
    // rows end against a guard page, so that no read past them goes unseen. `pieces` are more
    // clip rectangles beside d.clip; `origin` moves the port's coordinates (all rectangles here
    // are given in store places).
    void expectLikeTheWalk(const std::vector<u8>& data, u16 width, u16 height, bool words, const Drawing& d,
                           const std::string& what, const std::vector<Rect16>& pieces = {}, Point16 origin = {}) {
        GfxOffscreenPort* port = makeOffscreen(kStoreWidth, kStoreHeight, words ? 16 : 8);
        for (i32 y = 0; y < kStoreHeight; ++y)
            for (size_t i = 0; i < size_t(kStoreWidth) * (words ? 2 : 1); ++i) row(port, y)[i] = u8(y * 31 + i * 7 + 1) & 0x7F;
        std::vector<u8> want = pixels(port);
        std::vector<Rect16> clip{d.clip};
        clip.insert(clip.end(), pieces.begin(), pieces.end());
        bool whole = true;
        // Overlapping pieces place the same values twice, as the union of the pieces would.
        for (Rect16& r : clip) {
            whole &= placePackedByTheWalk(want, kStoreWidth, kStoreHeight, data, width, height, words, Drawing{d.at, r, d.mode, d.flags});
            rectOffset(&r, origin.h, origin.v);
        }
        setClip(port, clip);
        port->offset = origin;
        const Rect16 dst{i16(d.at.h + origin.h), i16(d.at.v + origin.v), i16(d.at.h + origin.h + width), i16(d.at.v + origin.v + height)};
        const u16 format = words ? 3 | kGfxFormatPacked16 : 2 | kGfxFormatPacked8;
        const u8* rows = guarded_.holdAtEnd(data);
        ASSERT_EQ(port->DrawPixels(dst, width, height, 0, format, rows, u32(data.size()), d.mode, d.flags),
                  whole ? kErrNone : kGfxErrBadFormat)
            << what;
        const std::vector<u8> got = pixels(port);
        auto where = std::mismatch(got.begin(), got.end(), want.begin());
        ASSERT_TRUE(where.first == got.end()) << what << ": first difference at byte " << (where.first - got.begin());
    }

private:
    GuardedBytes guarded_{1 << 16};
};

// Rows with run boundaries at columns 41, 100, 101 and 120. 8-bit: a literal [0, 41), a repeat
// [41, 100) of index 0 in odd rows, a literal [100, 101), a repeat [101, 120). 16-bit: a
// leading gap of 3, runs [3, 4), [40, 41), [41, 100), [100, 101) and [101, 120), a gap between
// the first two.
std::vector<u8> boundaryRows8(u16 height) {
    std::vector<u8> pixels;
    for (u16 y = 0; y < height; ++y) {
        for (u32 x = 0; x < 120; ++x) {
            u8 v = u8(1 + (x * 13 + y * 5) % 250);
            if (x >= 41 && x < 100) v = u8(y % 2 ? 0 : 9);
            if (x >= 101) v = 77;
            pixels.push_back(v);
        }
    }
    return encodePacked8(pixels, 120, height);
}

std::vector<u8> boundaryRows16(u16 height) {
    Packed16 p;
    for (u16 y = 0; y < height; ++y) {
        std::vector<std::vector<u16>> runs{std::vector<u16>(1), std::vector<u16>(1), std::vector<u16>(59),
                                           std::vector<u16>(1), std::vector<u16>(19)};
        u16 colour = u16(0x1000 + 7 * y);
        for (auto& run : runs)
            for (u16& w : run) w = colour++;
        p.row(3, runs, {36, 0, 0, 0, 0});
    }
    return p.bytes;
}

struct ClipLimit {
    const char* name;
    i16 left;
    i16 right;
};

// Both sides of each run boundary, as the clip's left edge and as its right edge.
const ClipLimit kClipLimits[] = {
    {"whole rows", -50, 250},     {"left at 2", 2, 250},       {"left at 3", 3, 250},       {"left at 4", 4, 250},
    {"left at 5", 5, 250},        {"left at 39", 39, 250},     {"left at 40", 40, 250},     {"left at 41", 41, 250},
    {"left at 42", 42, 250},      {"left at 99", 99, 250},     {"left at 100", 100, 250},   {"left at 101", 101, 250},
    {"right at 3", -50, 3},       {"right at 4", -50, 4},      {"right at 5", -50, 5},      {"right at 40", -50, 40},
    {"right at 41", -50, 41},     {"right at 42", -50, 42},    {"right at 100", -50, 100},  {"right at 101", -50, 101},
    {"right at 102", -50, 102},   {"right at 119", -50, 119},  {"right at 120", -50, 120},  {"right at 121", -50, 121},
    {"inside one run", 50, 60},   {"one column", 41, 42},      {"no column", 41, 41},
};

TEST_F(PackedIntoPortTest, ClipEdgesAroundRunBoundariesCutRunsLikeTheWalk) {
    const u16 height = 6;
    const std::vector<u8> rows8 = boundaryRows8(height), rows16 = boundaryRows16(height);
    for (const ClipLimit& limit : kClipLimits) {
        for (i16 x : {0, 7, -3}) {
            // The clip's columns are picture columns: they move with the picture.
            const Rect16 clip{i16(limit.left + x), -5, i16(limit.right + x), 40};
            const std::string what = std::string(limit.name) + " at x " + std::to_string(x);
            for (u16 flags : {u16(0), u16(kGfxCopyMirror), u16(kGfxCopyFlip)})
                for (u16 mode : {u16(0), u16(kGfxModeTransparent)})
                    expectLikeTheWalk(rows8, 120, height, false, Drawing{{x, 2}, clip, mode, flags},
                                      what + " flags " + std::to_string(flags) + " mode " + std::to_string(mode));
            expectLikeTheWalk(rows16, 140, height, true, Drawing{{x, 2}, clip, 0, 0}, what);
        }
    }
}

// The picture's top and bottom rows on both sides of the clip's and the store's edges.
TEST_F(PackedIntoPortTest, ClipAndStoreRowLimitsTakeTheRowsLikeTheWalk) {
    const u16 height = 6;
    const std::vector<u8> rows8 = boundaryRows8(height), rows16 = boundaryRows16(height);
    struct RowLimit {
        const char* name;
        i16 y;
        i16 top;
        i16 bottom;
    };
    const RowLimit limits[] = {
        {"clip top on the first row", 2, 2, 40},      {"clip top one row in", 2, 3, 40},
        {"clip bottom on the last row", 2, -5, 8},    {"clip bottom one row short", 2, -5, 7},
        {"clip bottom one row past", 2, -5, 9},       {"above the store by one", -1, -5, 40},
        {"below the store by one", 7, -5, 40},        {"ending on the store's last row", 6, -5, 40},
        {"one row of clip", 2, 4, 5},
    };
    for (const RowLimit& limit : limits) {
        const Rect16 clip{-50, limit.top, 250, limit.bottom};
        for (u16 flags : {u16(0), u16(kGfxCopyFlip)})
            expectLikeTheWalk(rows8, 120, height, false, Drawing{{4, limit.y}, clip, 0, flags},
                              std::string(limit.name) + " flags " + std::to_string(flags));
        expectLikeTheWalk(rows16, 140, height, true, Drawing{{4, limit.y}, clip, 0, 0}, limit.name);
    }
}

// A good row, then a last row damaged where the data ends, against a guard page: each damage is
// refused by its own check before any byte past the data is read, and the good row is drawn.
TEST_F(PackedIntoPortTest, DamageAtTheDataEndIsRefusedWithoutReadingPast) {
    struct Damage {
        const char* name;
        bool words;
        std::vector<u8> last;
    };
    const Damage damages[] = {
        {"8-bit row header cut", false, {0x00}},
        {"8-bit row longer than the data", false, {0x00, 0x05, 0x01, 0xAA, 0xBB}},
        {"8-bit repeat without its index", false, {0x00, 0x01, 0x83}},
        {"8-bit literal longer than its row", false, {0x00, 0x03, 0x04, 0xAA, 0xBB}},
        {"16-bit row header cut", true, {0x00, 0x01, 0x00}},
        {"16-bit row longer than the data", true, {0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00}},
        {"16-bit repeat longer than its row", true, {0x00, 0x01, 0x00, 0x00, 0x80, 0x05, 0x00, 0x00}},
        {"16-bit literal longer than its row", true, {0x00, 0x01, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00}},
    };
    const std::vector<u8> good8 = boundaryRows8(1), good16 = boundaryRows16(1);
    for (const Damage& damage : damages) {
        std::vector<u8> data = damage.words ? good16 : good8;
        data.insert(data.end(), damage.last.begin(), damage.last.end());
        const u16 width = damage.words ? 140 : 120;
        expectLikeTheWalk(data, width, 2, damage.words, Drawing{{4, 2}, {-50, -5, 250, 40}, 0, 0}, damage.name);
        if (!damage.words)
            expectLikeTheWalk(data, width, 2, false, Drawing{{4, 2}, {-50, -5, 250, 40}, 0, kGfxCopyMirror}, damage.name);
    }
}

// Rows of random 16-bit runs: literals of up to 100 words and repeats of up to 300.
std::vector<u8> randomRows16(std::mt19937& random, u16 width, u16 height) {
    Packed16 p;
    for (u16 y = 0; y < height; ++y) {
        if (random() % 6 == 0) {
            p.emptyRows(u16(1 + random() % 2));
            continue;
        }
        if (random() % 5 == 0) {
            p.repeatRow(u16(1 + random() % 300), u16(random() & 0x7FFF), u16(random() % 20));
            continue;
        }
        std::vector<std::vector<u16>> literals;
        std::vector<u16> gaps;
        for (u32 x = 0; x < width;) {
            literals.emplace_back(random() % 8 ? random() % 40 : random() % 101);
            for (u16& w : literals.back()) w = u16(random() & 0x7FFF);
            gaps.push_back(u16(random() % 3 ? 0 : random() % 20));
            x += u32(literals.back().size()) + gaps.back() + 1;
        }
        p.row(u16(random() % 10), literals, gaps);
    }
    return p.bytes;
}

TEST_F(PackedIntoPortTest, RandomPicturesWithLongRunsAndCutClipsMatchTheWalk) {
    std::mt19937 random(2024);
    for (int round = 0; round < 60; ++round) {
        const u16 width = u16(1 + random() % 260), height = u16(1 + random() % 10);
        const Point16 at{i16(i32(random() % 240) - 40), i16(i32(random() % 16) - 4)};
        const i16 left = i16(i32(random() % 240) - 20), top = i16(i32(random() % 14) - 2);
        const Rect16 clip{left, top, i16(left + 1 + random() % 240), i16(top + 1 + random() % 14)};
        const std::string what = "round " + std::to_string(round);
        const u16 mode = random() % 2 ? 0 : kGfxModeTransparent;
        const u16 flags = u16((random() % 2 ? kGfxCopyMirror : 0) | (random() % 2 ? kGfxCopyFlip : 0));
        // A clip of one to three pieces, in a port whose origin is moved by up to 60 places either way.
        std::vector<Rect16> pieces;
        for (u32 n = random() % 3; n > 0; --n) {
            const i16 l = i16(i32(random() % 240) - 20), t = i16(i32(random() % 14) - 2);
            pieces.push_back(Rect16{l, t, i16(l + 1 + random() % 120), i16(t + 1 + random() % 8)});
        }
        const Point16 origin{i16(i32(random() % 121) - 60), i16(i32(random() % 121) - 60)};
        expectLikeTheWalk(randomPackedRows8(random, width, height), width, height, false, Drawing{at, clip, mode, flags}, what, pieces, origin);
        expectLikeTheWalk(randomRows16(random, width, height), width, height, true, Drawing{at, clip, mode, 0}, what, pieces, origin);
    }
}

// Damage of every kind after every run of every row, drawn mirrored, flipped and transparent
// into a piece that lets every column through, a piece that cuts columns on both sides, and
// two pieces: rows before the damaged row are drawn, its runs before the damage, nothing after.
TEST_F(PackedIntoPortTest, DamageAnywhereLeavesTheStoreLikeTheWalk) {
    std::mt19937 random(77);
    const u16 width = 170, height = 5;
    const std::vector<u8> sound = randomPackedRows8(random, width, height);
    const PackedRows8Layout layout = layoutPackedRows8(sound);
    struct Clip {
        const char* name;
        Rect16 piece;
        std::vector<Rect16> more;
    };
    const Clip clips[] = {
        {"every column", {-50, -5, 250, 40}, {}},
        {"columns cut on both sides", {30, -5, 151, 40}, {}},
        {"two pieces", {10, 0, 100, 5}, {{120, 3, 190, 12}}},
    };
    for (size_t row = 0; row < height; ++row) {
        for (RowDamage8 kind : kRowDamages8) {
            const size_t places = damagePlaces8(layout, row, kind);
            for (size_t runs = 0; runs < places; ++runs) {
                const std::vector<u8> data = damagePackedRows8(sound, layout, row, runs, kind, random());
                for (const Clip& clip : clips) {
                    for (u16 flags : {u16(0), u16(kGfxCopyMirror), u16(kGfxCopyFlip), u16(kGfxCopyMirror | kGfxCopyFlip)}) {
                        const u16 mode = (runs + flags) % 2 ? kGfxModeTransparent : 0;
                        expectLikeTheWalk(data, width, height, false, Drawing{{20, 3}, clip.piece, mode, flags},
                                          std::string(clip.name) + " row " + std::to_string(row) + " kind " +
                                              std::to_string(int(kind)) + " after run " + std::to_string(runs) + " flags " +
                                              std::to_string(flags),
                                          clip.more);
                    }
                }
            }
        }
    }
}

}  // namespace
