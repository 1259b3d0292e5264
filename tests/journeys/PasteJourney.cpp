// A child copies a picture in another program and pastes it on the easel's page: the picture,
// larger than the page and given in pieces, floats over the page cut to its size until a press
// puts it down, whichever panel is open.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/journeys/Journey.h"
#include "tests/journeys/ProgramSteps.h"
#include "tests/xserver/XClipboardOwner.h"

namespace {

namespace fs = std::filesystem;

constexpr uint32_t kBlue = 0x2048C8, kOrange = 0xF08818;
// Another program's picture 100 by 60 pixels larger than the page: blue left of the page's
// middle, orange right of it, with a dark dot on every eighth pixel so that it is no small PNG.
Shot otherProgramsPicture(const Area& page) {
    const int32_t width = page.width + 100, height = page.height + 60;
    std::vector<uint32_t> pixels(size_t(width) * size_t(height));
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            pixels[size_t(y) * size_t(width) + size_t(x)] = (x * 7 + y * 3) % 8 == 0 ? 0x101010 : x < page.width / 2 ? kBlue : kOrange;
    return Shot(width, height, std::move(pixels));
}

std::vector<uint8_t> pngBytes(const Shot& picture, const fs::path& file) {
    if (!picture.savePng(file.string())) return {};
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(PasteJourney, AnotherProgramsPictureIsPastedOnThePageFromAnyPanel) {
    Journey j;
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    const Area page = canvasArea();
    const std::vector<uint8_t> png = pngBytes(otherProgramsPicture(page), j.artifacts() / "copied.png");
    constexpr size_t kPiece = 1024;
    ASSERT_GT(png.size(), 4 * kPiece) << "a picture that goes in pieces";
    const XClipboardOwner other(j.display(), png, kPiece);
    ASSERT_TRUE(other.owns());

    j.click(planned("easel.tool.FillBucket"));
    ASSERT_TRUE(j.settle());
    const Shot before = j.keep("before");
    ASSERT_EQ(paintedPixels(before), 0);
    j.key("ctrl+v");
    const Area left{page.x + 8, page.y + 8, page.width / 2 - 16, page.height - 16};
    const Area right{page.x + page.width / 2 + 8, page.y + 8, page.width / 2 - 16, page.height - 16};
    const auto pasted = [&](const Shot& shot) {
        return shot.countColour(left, kBlue, 8) > left.width * left.height / 2 &&
               shot.countColour(right, kOrange, 8) > right.width * right.height / 2;
    };
    // A floating picture's dotted edge keeps moving: the window does not settle until it is put down.
    ASSERT_TRUE(j.waitFor([&] { return pasted(j.screenshot()); }, "the picture over the page"));
    const Shot floating = j.keep("floating");
    EXPECT_EQ(floating.countColour({page.x, page.y + page.height, page.width, 20}, kBlue, 8), 0)
        << "cut to the page's height: nothing of it floats over what lies below the page";
    EXPECT_EQ(other.given(), 1) << "read once, in pieces";

    // A press beside the page puts it down where it floats.
    j.click(page.x - 4, page.y + page.height - 4);
    ASSERT_TRUE(j.settle());
    const Shot down = j.keep("put-down");
    EXPECT_TRUE(pasted(down)) << "it stays in the painting";
    const int covered = down.countColour(page, kBlue, 8) + down.countColour(page, kOrange, 8) + down.countColour(page, 0x101010, 8);
    EXPECT_EQ(covered, page.width * page.height) << "its top left part as large as the page covers the page";
}

}  // namespace
