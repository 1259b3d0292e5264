// The harness's picture check against golden PNG pictures.
#include <gtest/gtest-spi.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "tests/app/harness/ScreenHarness.h"

namespace {

using namespace Ostrel;

class Harness : public testapp::ScreenHarness {};

// Without its golden picture, or with one of another size, the check fails and leaves the
// picture drawn for review; TUMBLO_UPDATE_GOLDEN makes the picture drawn the golden one.
TEST_F(Harness, APictureWithoutItsGoldenOneFailsUnlessGoldenPicturesAreBeingUpdated) {
    // The check of a missing golden picture must fail even in a run that updates them.
    const char* updating = std::getenv("TUMBLO_UPDATE_GOLDEN");
    const std::string update = updating ? updating : "";
    unsetenv("TUMBLO_UPDATE_GOLDEN");
    start();
    const Rect16 rect{0, 0, 40, 24};
    const std::string golden = std::string(TUMBLO_TEST_GOLDEN_DIR) + "/NoSuchGolden.png";
    const std::string written = ::testing::TempDir() + "NoSuchGolden.actual.png";
    std::remove(written.c_str());
    ASSERT_FALSE(std::filesystem::exists(golden));
    EXPECT_NONFATAL_FAILURE(ExpectPicture("NoSuchGolden", rect), "no golden picture");
    const golden::RgbPicture drawn = golden::readPng(written);
    EXPECT_EQ(drawn.width, 40);
    EXPECT_EQ(drawn.height, 24);
    EXPECT_EQ(drawn.rgb, Shown(rect).rgb);

    const std::string scratch = ::testing::TempDir() + "Scratch.png";
    std::remove(scratch.c_str());
    setenv("TUMBLO_UPDATE_GOLDEN", "1", 1);
    golden::expectPicture(scratch, Shown(rect), CompareBlocks);
    unsetenv("TUMBLO_UPDATE_GOLDEN");
    EXPECT_EQ(golden::readPng(scratch).rgb, Shown(rect).rgb);
    golden::expectPicture(scratch, Shown(rect), CompareBlocks);
    EXPECT_NONFATAL_FAILURE(golden::expectPicture(scratch, Shown(Rect16{0, 0, 40, 32}), CompareBlocks),
                            "golden picture of another size");
    std::remove(written.c_str());
    std::remove(scratch.c_str());
    if (updating) setenv("TUMBLO_UPDATE_GOLDEN", update.c_str(), 1);
}

// Each 8x8 block's average channel may stray by the tolerance, not one level more; a block
// that is partly outside the picture averages the pixels inside it.
TEST_F(Harness, BlocksMatchWithinTheToleranceOnBothSidesOfIt) {
    golden::RgbPicture expected{12, 2, std::vector<u8>(12 * 2 * 3, 100)};
    for (size_t pixel = 8; pixel < 12; ++pixel)
        for (size_t row = 0; row < 2; ++row) expected.rgb[(row * 12 + pixel) * 3 + 1] = 150;
    EXPECT_EQ(Blocks(expected).rgb, (std::vector<u8>{100, 100, 100, 100, 150, 100}));
    struct Case {
        int change;
        bool matches;
    };
    const Case cases[] = {{0, true}, {kPictureTolerance, true}, {-kPictureTolerance, true},
                          {kPictureTolerance + 1, false}, {-kPictureTolerance - 1, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.change);
        golden::RgbPicture actual = expected;
        // Every pixel of the second block moves, so its average moves by the same.
        for (size_t pixel = 8; pixel < 12; ++pixel)
            for (size_t row = 0; row < 2; ++row) actual.rgb[(row * 12 + pixel) * 3 + 1] = u8(150 + c.change);
        const std::string fault = CompareBlocks(actual, expected);
        EXPECT_EQ(fault.empty(), c.matches) << fault;
        if (!c.matches) {
            EXPECT_EQ(fault, "8x8 block averages: pixel (1, 0) differs by " + std::to_string(std::abs(c.change)));
        }
    }
    golden::RgbPicture taller = expected;
    taller.height = 3;
    taller.rgb.resize(12 * 3 * 3, 0);
    EXPECT_EQ(CompareBlocks(taller, expected), "golden picture of another size");
    EXPECT_EQ(CompareBlocks(expected, golden::RgbPicture{}), "no golden picture");
}

}  // namespace
