// The harness's picture check: a picture without its golden one fails and leaves the actual
// picture and its blocks for review.
#include <gtest/gtest-spi.h>

#include <cstdio>

#include "tests/app/harness/ScreenHarness.h"

namespace {

using namespace Ostrel;

class Harness : public testapp::ScreenHarness {};

TEST_F(Harness, APictureWithoutItsGoldenOneFailsAndIsWrittenOut) {
    start();
    const Rect16 rect{0, 0, 40, 24};
    std::remove("NoSuchGolden.ppm");
    EXPECT_NONFATAL_FAILURE(ExpectPicture("NoSuchGolden", rect), "no golden picture");
    const PictureBlocks written = readBlocks("NoSuchGolden.ppm");
    EXPECT_EQ(written.width, 40);
    EXPECT_EQ(written.height, 24);
    const PictureBlocks blocks = readBlocks("NoSuchGolden.golden.ppm");
    EXPECT_EQ(blocks.width, 5);
    EXPECT_EQ(blocks.height, 3);
    EXPECT_EQ(blocks.rgb, Blocks(rect).rgb);
    std::remove("NoSuchGolden.ppm");
    std::remove("NoSuchGolden.golden.ppm");
}

TEST_F(Harness, BlocksMatchWithinTheToleranceOnBothSidesOfIt) {
    PictureBlocks golden;
    golden.width = 2;
    golden.height = 1;
    golden.rgb = {100, 100, 100, 150, 150, 150};
    struct Case {
        int change;
        bool matches;
    };
    const Case cases[] = {{0, true}, {kPictureTolerance, true}, {-kPictureTolerance, true},
                          {kPictureTolerance + 1, false}, {-kPictureTolerance - 1, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.change);
        PictureBlocks actual = golden;
        actual.rgb[4] = u8(150 + c.change);
        const std::string fault = CompareBlocks(actual, golden);
        EXPECT_EQ(fault.empty(), c.matches) << fault;
        if (!c.matches) {
            EXPECT_EQ(fault, "block (1, 0) differs by " + std::to_string(std::abs(c.change)));
        }
    }
    PictureBlocks taller = golden;
    taller.height = 2;
    taller.rgb.resize(12, 0);
    EXPECT_EQ(CompareBlocks(taller, golden), "golden picture of another size");
    EXPECT_EQ(CompareBlocks(golden, PictureBlocks{}), "no golden picture");
}

}  // namespace
