#include "app/print/PrintLayout.h"

#include <gtest/gtest.h>

namespace {

using namespace Ostrel;

::testing::AssertionResult same(const Rect16& got, const Rect16& want) {
    if (got.left == want.left && got.top == want.top && got.right == want.right && got.bottom == want.bottom)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << got.left << ", " << got.top << ", " << got.right << ", " << got.bottom
                                         << ") is not (" << want.left << ", " << want.top << ", " << want.right << ", "
                                         << want.bottom << ")";
}

TEST(PrintLayout, PageAreaBalancesTheMarginsAlongTheLongSide) {
    struct Case {
        const char* name;
        Rect16 printable, paper;
        u16 dpiX, dpiY;
        bool landscape;
        Rect16 area;
    };
    const Case cases[] = {
        {"no margins at the job's resolution", {0, 0, 900, 600}, {0, 0, 900, 600}, 150, 150, true, {0, 0, 900, 600}},
        {"equal margins", {0, 0, 800, 500}, {-50, -50, 850, 550}, 150, 150, true, {0, 0, 800, 500}},
        {"300 dpi halves, halves rounding up", {0, 0, 1801, 1201}, {0, 0, 1801, 1201}, 300, 300, true, {0, 0, 901, 601}},
        {"landscape, wider left margin: the right edge comes in", {0, 0, 800, 500}, {-60, 0, 820, 500}, 150, 150, true,
         {0, 0, 760, 500}},
        {"landscape, wider right margin: the left edge moves in", {0, 0, 800, 500}, {-20, 0, 860, 500}, 150, 150, true,
         {40, 0, 800, 500}},
        {"portrait, wider top margin: the bottom comes in", {0, 0, 500, 800}, {0, -30, 500, 810}, 150, 150, false,
         {0, 0, 500, 780}},
        {"portrait, wider bottom margin: the top moves down", {0, 0, 500, 800}, {0, -10, 500, 830}, 150, 150, false,
         {0, 20, 500, 800}},
        {"margins at 75 dpi count double", {0, 0, 400, 250}, {-10, 0, 420, 250}, 75, 75, true, {20, 0, 800, 500}},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(same(PrintPageArea(c.printable, c.paper, c.dpiX, c.dpiY, c.landscape), c.area)) << c.name;
}

// A quarter of an inch of paper stays white round the page area, counting the printer's own
// unprintable margins.
TEST(PrintLayout, ThePageAreaKeepsOffThePapersEdges) {
    const struct {
        const char* name;
        Rect16 printable, paper;
        u16 dpi;
        Rect16 area;
    } cases[] = {
        {"no margins", {0, 0, 900, 600}, {0, 0, 900, 600}, 150, {37, 37, 863, 563}},
        {"margins wider than a quarter inch", {0, 0, 800, 500}, {-50, -50, 850, 550}, 150, {0, 0, 800, 500}},
        {"narrower ones make up the rest", {0, 0, 880, 580}, {-10, -36, 890, 616}, 150, {27, 1, 853, 579}},
        {"at 300 dpi", {0, 0, 1800, 1200}, {0, 0, 1800, 1200}, 300, {37, 37, 863, 563}},
    };
    for (const auto& c : cases) {
        const Rect16 whole = PrintPageArea(c.printable, c.printable, c.dpi, c.dpi, true);
        EXPECT_TRUE(same(KeepOffThePapersEdges(whole, c.printable, c.paper, c.dpi, c.dpi), c.area)) << c.name;
    }
}

TEST(PrintLayout, PosterTilesOfAPictureSixHundredAndFortyWide) {
    const Rect16 q{0, 0, 640, 480};
    struct Case {
        u16 p, perSide;
        Rect16 tile;
    };
    const Case cases[] = {
        {1, 3, {0, 0, 213, 160}},   {3, 3, {426, 0, 639, 160}},   {9, 3, {426, 320, 639, 480}},
        {1, 2, {0, 0, 320, 240}},   {2, 2, {320, 0, 640, 240}},   {4, 2, {320, 240, 640, 480}},
    };
    for (const Case& c : cases) EXPECT_TRUE(same(PosterTile(c.p, c.perSide, q), c.tile)) << c.p << " of " << c.perSide;
    // Odd sizes: the right and bottom two-by-two tiles take the remainder.
    EXPECT_TRUE(same(PosterTile(4, 2, Rect16{10, 20, 811, 621}), Rect16{410, 320, 811, 621}));
}

TEST(PrintLayout, CellsOfEachLayoutOnALandscapeSheet) {
    const Rect16 a{0, 0, 1600, 1200};
    const i32 sw = 800, sh = 600;
    struct Case {
        const char* name;
        Rect16 got, want;
    };
    const Case cases[] = {
        // Cards: quarters, pictures as wide as the quarter, the right column 18 units over.
        {"card 1", CardCell(1, a, sw, sh), {0, 0, 800, 600}},
        {"card 2", CardCell(2, a, sw, sh), {0, 600, 800, 1200}},
        {"card 3", CardCell(3, a, sw, sh), {818, 600, 1618, 1200}},
        {"card 4", CardCell(4, a, sw, sh), {818, 0, 1618, 600}},
        // Comics: thirds; the top row's bottom edge 37 above the middle, the bottom row's top
        // 37 below it, everything 9 units right.
        {"comic 1", ComicCell(1, a, sw, sh), {9, 165, 542, 563}},
        {"comic 3", ComicCell(3, a, sw, sh), {1075, 163, 1609, 563}},
        {"comic 5", ComicCell(5, a, sw, sh), {542, 637, 1075, 1035}},
        // Thumbnails: four across, six down, 9 units right.
        {"thumbnail 1", ThumbnailCell(1, a, sw, sh), {9, -50, 409, 250}},
        {"thumbnail 24", ThumbnailCell(24, a, sw, sh), {1209, 950, 1609, 1250}},
        // Story: halves less 40 units, centred about the middle, 20 units each side when W is even.
        {"story 1", StoryCell(1, a, true, sw, sh), {20, 315, 780, 885}},
        {"story 2", StoryCell(2, a, true, sw, sh), {820, 315, 1580, 885}},
        {"story portrait 1", StoryCell(1, Rect16{0, 0, 1200, 1600}, false, sw, sh), {94, 20, 1106, 780}},
    };
    for (const Case& c : cases) EXPECT_TRUE(same(c.got, c.want)) << c.name;
}

// A full page keeps the picture's shape: 4:3 on A4 in either orientation, and on areas just
// wider and just taller than the picture.
TEST(PrintLayout, AFullPageKeepsThePicturesShapeInTheMiddleOfTheArea) {
    struct Case {
        Rect16 area;
        Rect16 want;
    };
    const Case cases[] = {
        {{0, 0, 1754, 1240}, {50, 0, 1703, 1240}},
        {{0, 0, 1240, 1754}, {0, 412, 1240, 1342}},
        {{10, 20, 811, 620}, {10, 20, 810, 620}},
        {{0, 0, 800, 601}, {0, 0, 800, 600}},
        {{0, 0, 800, 600}, {0, 0, 800, 600}},
    };
    for (const Case& c : cases) {
        const Rect16 got = FitInside(c.area, 640, 480);
        EXPECT_TRUE(same(got, c.want)) << got.left << "," << got.top << "," << got.right << "," << got.bottom;
    }
    EXPECT_TRUE(same(FitInside(Rect16{0, 0, 100, 100}, 0, 480), Rect16{0, 0, 0, 0}));
}

TEST(PrintLayout, APictureWithoutSizeTakesNoRoom) {
    EXPECT_TRUE(same(FitToCellWidth(0, 100, 0, 100, 0, 10), Rect16{0, 50, 100, 50}));
    EXPECT_TRUE(same(StoryCell(1, Rect16{0, 0, 100, 100}, true, 10, 0), Rect16{}));
    EXPECT_TRUE(same(PosterTile(1, 0, Rect16{0, 0, 10, 10}), Rect16{}));
}

}  // namespace
