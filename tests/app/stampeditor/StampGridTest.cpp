// The stamp editor's operations on 16 x 16 and 32 x 32 stamps (and a non-square one) against a
// plain model of each, and the stamps it takes and refuses.
#include "app/stampeditor/StampGrid.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <utility>

#include "engine/base/ByteOrder.h"

namespace {

using namespace Ostrel;
using Model = std::map<std::pair<i32, i32>, u16>;

constexpr u16 kGridRed = 0x7C00;
constexpr u16 kGridBlue = 0x001F;

// A stamp with a blue frame, a red bar across row 2 and every other pixel transparent.
StampGrid sample(i32 w, i32 h) {
    StampGrid grid = BlankStamp(w, h);
    for (i32 x = 0; x < w; ++x) grid.At(x, 0) = grid.At(x, h - 1) = kGridBlue;
    for (i32 y = 0; y < h; ++y) grid.At(0, y) = grid.At(w - 1, y) = kGridBlue;
    for (i32 x = 1; x < w - 1; ++x) grid.At(x, 2) = kGridRed;
    grid.At(3, 5) = kGridRed;
    return grid;
}

Model modelOf(const StampGrid& g) {
    Model m;
    for (i32 y = 0; y < g.height; ++y)
        for (i32 x = 0; x < g.width; ++x) m[{x, y}] = g.At(x, y);
    return m;
}

struct OpCase {
    const char* name;
    std::function<void(StampGrid&)> op;
    // The model's answer: the expected width, height and pixel at (x, y) of the source model.
    std::function<std::pair<i32, i32>(i32 w, i32 h)> size;
    std::function<u16(const Model& before, i32 w, i32 h, i32 x, i32 y)> expected;
};

// Cells reached from (sx, sy) through neighbours of the same colour, by walking the model. A
// check asks about every cell of one model in turn: the walk is made once per model.
bool reached(const Model& m, i32 w, i32 h, i32 sx, i32 sy, i32 x, i32 y) {
    static Model walked;
    static std::tuple<i32, i32, i32, i32> walkedFrom;
    static std::map<std::pair<i32, i32>, bool> seen;
    if (m != walked || walkedFrom != std::tuple{w, h, sx, sy}) {
        walked = m;
        walkedFrom = {w, h, sx, sy};
        seen.clear();
        std::vector<std::pair<i32, i32>> todo{{sx, sy}};
        const u16 target = m.at({sx, sy});
        while (!todo.empty()) {
            auto p = todo.back();
            todo.pop_back();
            if (p.first < 0 || p.second < 0 || p.first >= w || p.second >= h || seen[p] || m.at(p) != target) continue;
            seen[p] = true;
            for (auto d : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) todo.push_back({p.first + d.first, p.second + d.second});
        }
    }
    const auto found = seen.find({x, y});
    return found != seen.end() && found->second;
}

const auto same = [](i32 w, i32 h) { return std::pair{w, h}; };

const OpCase kOps[] = {
    {"RotateTurnsClockwise", [](StampGrid& g) { RotateStamp(g); }, [](i32 w, i32 h) { return std::pair{h, w}; },
     [](const Model& m, i32, i32 h, i32 x, i32 y) { return m.at({y, h - 1 - x}); }},
    {"MirrorUsesTheWidth", [](StampGrid& g) { FlipStamp(g, true); }, same,
     [](const Model& m, i32 w, i32, i32 x, i32 y) { return m.at({w - 1 - x, y}); }},
    {"FlipTurnsRowsOver", [](StampGrid& g) { FlipStamp(g, false); }, same,
     [](const Model& m, i32, i32 h, i32 x, i32 y) { return m.at({x, h - 1 - y}); }},
    {"FillInsideTheFrame", [](StampGrid& g) { FloodFillStamp(g, 4, 4, 0x03E0); }, same,
     [](const Model& m, i32 w, i32 h, i32 x, i32 y) { return reached(m, w, h, 4, 4, x, y) ? u16(0x03E0) : m.at({x, y}); }},
    {"FillOfTheSameColourChangesNothing", [](StampGrid& g) { FloodFillStamp(g, 4, 4, kStampTransparent); }, same,
     [](const Model& m, i32, i32, i32 x, i32 y) { return m.at({x, y}); }},
    {"FillOutsideChangesNothing", [](StampGrid& g) { FloodFillStamp(g, g.width, 0, kGridRed); }, same,
     [](const Model& m, i32, i32, i32 x, i32 y) { return m.at({x, y}); }},
    {"ReplaceEveryRed", [](StampGrid& g) { ReplaceStampColour(g, kGridBlue, kGridRed); }, same,
     [](const Model& m, i32, i32, i32 x, i32 y) { return m.at({x, y}) == kGridRed ? kGridBlue : m.at({x, y}); }},
    {"ReplaceEverything", [](StampGrid& g) { ReplaceStampColour(g, kStampTransparent, -1); }, same,
     [](const Model&, i32, i32, i32, i32) { return kStampTransparent; }},
    {"PixelInside", [](StampGrid& g) { SetStampPixel(g, g.width - 1, g.height - 1, kGridRed); }, same,
     [](const Model& m, i32 w, i32 h, i32 x, i32 y) { return x == w - 1 && y == h - 1 ? kGridRed : m.at({x, y}); }},
    {"PixelsOutsideChangeNothing",
     [](StampGrid& g) {
         for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {g.width, 0}, {0, g.height}}) SetStampPixel(g, x, y, kGridRed);
     },
     same, [](const Model& m, i32, i32, i32 x, i32 y) { return m.at({x, y}); }},
};

class StampOps : public ::testing::TestWithParam<std::tuple<OpCase, std::pair<i32, i32>>> {};

TEST_P(StampOps, MatchTheModel) {
    const auto& [c, size] = GetParam();
    StampGrid grid = sample(size.first, size.second);
    const Model before = modelOf(grid);
    c.op(grid);
    const auto [w, h] = c.size(size.first, size.second);
    ASSERT_EQ(grid.width, w);
    ASSERT_EQ(grid.height, h);
    for (i32 y = 0; y < h; ++y)
        for (i32 x = 0; x < w; ++x)
            ASSERT_EQ(grid.At(x, y), c.expected(before, size.first, size.second, x, y)) << x << "," << y;
    // Nothing outside the stamp's cells is written.
    for (i32 y = 0; y < kStampGridSide; ++y)
        for (i32 x = 0; x < kStampGridSide; ++x)
            if (!grid.Contains(x, y)) {
                ASSERT_EQ(grid.At(x, y), kStampTransparent) << x << "," << y;
            }
}

std::string caseName(const ::testing::TestParamInfo<StampOps::ParamType>& info) {
    const OpCase& c = std::get<0>(info.param);
    const std::pair<i32, i32> size = std::get<1>(info.param);
    return std::string(c.name) + "_" + std::to_string(size.first) + "x" + std::to_string(size.second);
}

INSTANTIATE_TEST_SUITE_P(Table, StampOps,
                         ::testing::Combine(::testing::ValuesIn(kOps),
                                            ::testing::Values(std::pair{16, 16}, std::pair{32, 32}, std::pair{20, 12})),
                         caseName);

TEST(StampTurns, FourTurnsAndTwoFlipsGiveTheStampBack) {
    for (auto [w, h] : {std::pair{16, 16}, std::pair{32, 32}, std::pair{32, 7}}) {
        const StampGrid start = sample(w, h);
        StampGrid grid = start;
        for (int i = 0; i < 4; ++i) RotateStamp(grid);
        FlipStamp(grid, true);
        FlipStamp(grid, true);
        EXPECT_EQ(grid, start) << w << "x" << h;
    }
}

std::vector<u8> header(u16 w, u16 h, i16 rowBytes, u16 format, size_t pixelBytes) {
    std::vector<u8> b(8 + pixelBytes, 0);
    writeBE16(b.data(), w);
    writeBE16(b.data() + 2, h);
    writeBE16(b.data() + 4, u16(rowBytes));
    writeBE16(b.data() + 6, format);
    return b;
}

TEST(StampBitmaps, TheEditorTakesPlain16BitStampsUpToItsGrid) {
    struct Case {
        const char* what;
        std::vector<u8> bytes;
        bool taken;
    };
    const Case cases[] = {
        {"32x32 stored", header(32, 32, 64, 3, 32 * 64), true},
        {"1x1 machine order", header(1, 1, 2, 0x1003, 2), true},
        {"33 wide", header(33, 4, 66, 3, 4 * 66), false},
        {"33 high", header(4, 33, 8, 3, 33 * 8), false},
        {"8 bits", header(16, 16, 16, 2, 256), false},
        {"packed", header(16, 16, 32, 0x13, 512), false},
        {"compressed", header(16, 16, 32, 0x103, 512), false},
        {"rows cut short", header(16, 16, 32, 3, 511), false},
        {"empty", header(0, 16, 0, 3, 0), false},
        {"no header", std::vector<u8>(7, 0), false},
    };
    for (const Case& c : cases) {
        StampGrid grid;
        EXPECT_EQ(StampFromBitmap(c.bytes, &grid) == kErrNone, c.taken) << c.what;
    }
}

TEST(StampBitmaps, AStampComesBackFromItsBitmapInEitherByteOrder) {
    const StampGrid start = sample(20, 12);
    std::vector<u8> stored = BitmapFromStamp(start);
    StampGrid read;
    ASSERT_EQ(StampFromBitmap(stored, &read), kErrNone);
    EXPECT_EQ(read, start);
    // The same rows in machine order, as the panel's strip holds them.
    writeBE16(stored.data() + 6, 0x1003);
    for (size_t i = 8; i + 1 < stored.size(); i += 2) std::swap(stored[i], stored[i + 1]);
    ASSERT_EQ(StampFromBitmap(stored, &read), kErrNone);
    EXPECT_EQ(read, start);
}

}  // namespace
