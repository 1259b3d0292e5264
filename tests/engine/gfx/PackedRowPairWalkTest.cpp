// The walker of 8-bit row pairs against the plain walk: random pictures, sound and damaged in
// every way after every run of every row, drawn into rows of their own with some rows not
// wanted, must leave those rows exactly as the plain walk's runs do, and report the damage.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "PackedRows8Samples.h"
#include "engine/gfx/PackedPixels.h"
#include "engine/gfx/PackedRowPairWalk.h"

namespace {

using Rows = std::vector<std::vector<u8>>;

// Rows of `width` places, each place a pattern byte until a run writes it; rows outside
// [top, bottom) are not wanted.
Rows patternRows(u16 width, u16 height) {
    Rows rows(height, std::vector<u8>(width));
    for (u16 y = 0; y < height; ++y)
        for (u16 x = 0; x < width; ++x) rows[y][x] = u8(0x40 + y * 7 + x);
    return rows;
}

void writeRun(u8* row, u16 width, const GfxPackedRun& run) {
    for (u32 i = 0; i < run.count && run.x + i < width; ++i) row[run.x + i] = u8(run.colourAt(i, false));
}

struct RowsVisitor {
    Rows& rows;
    u16 width;
    u32 top;
    u32 bottom;
    std::vector<u8> kept;
    u32 restores = 0;
    u8* row(u32 y) { return y >= top && y < bottom ? rows[y].data() : nullptr; }
    void run(u8* row, const GfxPackedRun& run) { writeRun(row, width, run); }
    void keep(u8* row) { kept.assign(row, row + width); }
    void restore(u8* row) {
        std::copy(kept.begin(), kept.end(), row);
        ++restores;
    }
};

struct Outcome {
    Rows rows;
    bool whole;
    u32 restores = 0;
};

Outcome byThePlainWalk(const std::vector<u8>& data, u16 width, u16 height, u32 top, u32 bottom) {
    Outcome out{patternRows(width, height), false};
    out.whole = gfxWalkPacked8(data.data(), data.size(), height, [&](const GfxPackedRun& run) {
        if (run.row >= top && run.row < bottom) writeRun(out.rows[run.row].data(), width, run);
    });
    return out;
}

Outcome byPairs(const std::vector<u8>& data, u16 width, u16 height, u32 top, u32 bottom) {
    Outcome out{patternRows(width, height), false};
    RowsVisitor visit{out.rows, width, top, bottom, {}};
    // Exactly as long as the data, so that the sanitizer sees any read past it.
    const std::vector<u8> exact(data);
    out.whole = gfxWalkPackedRowPairs8(exact.data(), exact.size(), height, visit);
    out.restores = visit.restores;
    return out;
}

void expectLikeThePlainWalk(const std::vector<u8>& data, u16 width, u16 height, u32 top, u32 bottom, const std::string& what) {
    const Outcome want = byThePlainWalk(data, width, height, top, bottom);
    const Outcome got = byPairs(data, width, height, top, bottom);
    ASSERT_EQ(got.whole, want.whole) << what;
    for (u16 y = 0; y < height; ++y) ASSERT_EQ(got.rows[y], want.rows[y]) << what << ": row " << y;
}

// Damage in the earlier row of a pair undoes the later row; damage in the later row, or in a
// row drawn alone, keeps the runs before it.
TEST(PackedRowPairWalkTest, DamageInTheEarlierRowOfAPairUndoesTheLaterRow) {
    std::mt19937 random(17);
    const std::vector<u8> sound = randomPackedRows8(random, 300, 4);
    const PackedRows8Layout layout = layoutPackedRows8(sound);
    struct Case {
        const char* name;
        size_t row;
        u32 top;
        u32 restores;
    };
    const Case cases[] = {
        {"first row of the first pair", 0, 0, 1},  {"second row of the first pair", 1, 0, 0},
        {"first row of the second pair", 2, 0, 1}, {"row drawn alone above the wanted rows", 0, 1, 0},
        {"first row of a pair after one alone", 1, 1, 1},
    };
    for (const Case& c : cases) {
        const std::vector<u8> data = damagePackedRows8(sound, layout, c.row, 3, RowDamage8::kLiteralPastRow, 200);
        const Outcome got = byPairs(data, 300, 4, c.top, 4);
        EXPECT_FALSE(got.whole) << c.name;
        EXPECT_EQ(got.restores, c.restores) << c.name;
        expectLikeThePlainWalk(data, 300, 4, c.top, 4, c.name);
    }
}

// The headers on both sides of each limit of a run's length and kind: the shortest and the
// longest literal, then the shortest and the longest repeat. Each row takes them in turn from
// its own first, three times, so that each lies far from the row's end, where its length goes
// unchecked, and near it, in both rows of a pair. The rows expanded here by hand are what both
// walkers must leave.
TEST(PackedRowPairWalkTest, RunsAtTheLimitsOfTheirLengthAndKindTakeTheirPlaces) {
    struct Limit {
        u8 header;
        u32 places;
        bool repeat;
    };
    const Limit limits[] = {{0x00, 1, false}, {0x7F, 128, false}, {0x80, 1, true}, {0xFF, 128, true}};
    constexpr u16 kWidth = 3 * (1 + 128 + 1 + 128), kHeight = 6;
    std::vector<u8> data;
    Rows expected = patternRows(kWidth, kHeight);
    for (u16 y = 0; y < kHeight; ++y) {
        std::vector<u8> runs;
        u32 x = 0;
        for (u32 i = 0; i < 3 * std::size(limits); ++i) {
            const Limit& limit = limits[(y + i) % std::size(limits)];
            runs.push_back(limit.header);
            for (u32 k = 0; k < limit.places; ++k) {
                const u8 value = u8(y * 41 + i * 13 + (limit.repeat ? 0 : k + 1));
                if (!limit.repeat || k == 0) runs.push_back(value);
                expected[y][x++] = value;
            }
        }
        ASSERT_EQ(x, kWidth);
        pushBE16(data, u16(runs.size()));
        data.insert(data.end(), runs.begin(), runs.end());
    }
    for (const Outcome& got : {byThePlainWalk(data, kWidth, kHeight, 0, kHeight), byPairs(data, kWidth, kHeight, 0, kHeight)}) {
        ASSERT_TRUE(got.whole);
        for (u16 y = 0; y < kHeight; ++y) EXPECT_EQ(got.rows[y], expected[y]) << "row " << y;
    }
}

TEST(PackedRowPairWalkTest, SoundAndDamagedRandomPicturesLeaveTheRowsAsThePlainWalk) {
    std::mt19937 random(29);
    for (int round = 0; round < 12; ++round) {
        const u16 width = u16(1 + random() % 300), height = u16(1 + random() % 7);
        const std::vector<u8> sound = randomPackedRows8(random, width, height);
        const PackedRows8Layout layout = layoutPackedRows8(sound);
        // Every row wanted, then a band that starts and ends inside the picture.
        const u32 top = random() % height, bottom = top + 1 + random() % (height - top);
        for (auto [from, to] : {std::pair<u32, u32>{0, height}, {top, bottom}}) {
            const std::string where = "round " + std::to_string(round) + " rows " + std::to_string(from) + ".." + std::to_string(to);
            expectLikeThePlainWalk(sound, width, height, from, to, where + " sound");
            // Asked for fewer rows than the data holds, and for more.
            expectLikeThePlainWalk(sound, width, u16(height - 1), from, std::min<u32>(to, height - 1u), where + " one row short");
            for (size_t row = 0; row < height; ++row) {
                for (RowDamage8 kind : kRowDamages8) {
                    const size_t places = damagePlaces8(layout, row, kind);
                    for (size_t runs = 0; runs < places; ++runs) {
                        const std::vector<u8> data = damagePackedRows8(sound, layout, row, runs, kind, random());
                        expectLikeThePlainWalk(data, width, height, from, to,
                                               where + " row " + std::to_string(row) + " kind " + std::to_string(int(kind)) +
                                                   " after run " + std::to_string(runs));
                    }
                }
            }
        }
    }
}

}  // namespace
