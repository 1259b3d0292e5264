// Things a child puts on the page from the library panels: a sticker dragged in, then moved and
// made larger by its frame in the sticker panel itself; a background dropped over a painting,
// which the snail takes back, painting whole, and puts back again. A movie and a picture from the
// Add menu, moved and put down with a click beside them; the movie taken off with Delete and
// brought back by the snail, which also takes away a picture still being placed.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>

#include "tests/journeys/Journey.h"
#include "tests/journeys/ProgramSteps.h"
#include "tests/journeys/WidgetText.h"

namespace {

namespace fs = std::filesystem;

// Beside the canvas, where the pointer rests while the page is looked at.
constexpr int32_t kRestX = 50, kRestY = 420;
// How far a drawn frame may lie from where a drag should have put it.
constexpr int32_t kSlack = 3;
// More changed pixels than a pointer leaves: a sticker's or a painting's.
constexpr int kChangedPixels = 200;

// The square of side 2 * half around a point.
Area around(int32_t x, int32_t y, int32_t half = 30) { return {x - half, y - half, 2 * half, 2 * half}; }

struct Corners {
    int32_t left, top, right, bottom;
};

// The upper left and lower right handles of the one frame on a blank page: the drawn pixels
// nearest the canvas's upper left and lower right corners (the frame's buttons sit at its
// other two corners).
Corners frameCorners(const Shot& shot) {
    const Area canvas = canvasArea();
    Corners found{0, 0, -1, -1};
    int32_t least = INT32_MAX, most = -1;
    for (int32_t y = canvas.y; y < canvas.y + canvas.height; ++y)
        for (int32_t x = canvas.x; x < canvas.x + canvas.width; ++x) {
            if (shot.pixel(x, y) == kPaper) continue;
            if (x + y < least) least = x + y, found.left = x, found.top = y;
            if (x + y > most) most = x + y, found.right = x, found.bottom = y;
        }
    return found;
}

// The page after a gesture has changed the area where it ended (not merely the thumbnail
// passing by), with the pointer off the canvas and the window still.
Shot pageAfter(Journey& j, const Shot& before, const Area& where, const std::string& what, const std::string& name) {
    j.move(kRestX, kRestY);
    EXPECT_TRUE(j.waitFor([&] { return j.screenshot().differences(before, where) > kChangedPixels; }, what));
    EXPECT_TRUE(j.settle());
    return j.keep(name);
}

TEST(PageObjectsJourney, AStickerIsPlacedThenMovedAndResizedByItsFrameInItsOwnPanel) {
    Journey j;
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    ASSERT_TRUE(openPanel(j, "Stickers"));
    const Area canvas = canvasArea();
    const Shot blank = j.screenshot();

    j.drag(kFirstThumbnailX, kFirstThumbnailY, canvas.x + 250, canvas.y + 180);
    const Shot placed = pageAfter(j, blank, around(canvas.x + 250, canvas.y + 180), "the sticker on the page", "placed");
    const Corners was = frameCorners(placed);
    const int32_t width = was.right - was.left, height = was.bottom - was.top;
    ASSERT_GT(width, 20) << "a sticker in its frame";
    ASSERT_LT(was.right + 200, canvas.x + canvas.width) << "room to move it";

    // Dragged from inside its frame, it goes where the hand goes, the same size, and leaves
    // blank paper behind.
    const int32_t middleX = (was.left + was.right) / 2, middleY = (was.top + was.bottom) / 2;
    j.drag(middleX, middleY, middleX + 120, middleY + 80);
    const Shot moved = pageAfter(j, placed, around(middleX + 120, middleY + 80), "the sticker moved", "moved");
    const Corners now = frameCorners(moved);
    EXPECT_NEAR(now.left, was.left + 120, kSlack);
    EXPECT_NEAR(now.top, was.top + 80, kSlack);
    EXPECT_NEAR(now.right - now.left, width, kSlack);
    EXPECT_NEAR(now.bottom - now.top, height, kSlack);
    const Area behind{was.left, was.top, std::min(width, 110), height};
    EXPECT_EQ(moved.countColour(behind, kPaper), behind.width * behind.height) << "nothing left where it was";

    // Its lower right handle dragged out makes it larger, its upper left corner staying put.
    j.drag(now.right - 2, now.bottom - 2, now.right + 58, now.bottom + 38);
    const Shot resized = pageAfter(j, moved, Area{now.left, now.top, now.right + 60 - now.left, now.bottom + 40 - now.top}, "the sticker resized", "resized");
    const Corners grown = frameCorners(resized);
    EXPECT_NEAR(grown.left, now.left, kSlack);
    EXPECT_NEAR(grown.top, now.top, kSlack);
    EXPECT_GT(grown.right, now.right + 30);
    EXPECT_GT(grown.bottom, now.bottom + 15);
    EXPECT_TRUE(j.waitFor([&] { return paintedPixels(j.screenshot()) > paintedPixels(moved) * 3 / 2; }, "the sticker drawn larger"));
    j.keep("drawn-larger");
}

TEST(PageObjectsJourney, ABackgroundDroppedOverAPaintingIsTakenBackByOneUndo) {
    Journey j;
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    const Area canvas = canvasArea();
    const Shot blank = j.screenshot();
    j.drag(canvas.x + 100, canvas.y + 100, canvas.x + 400, canvas.y + 300);
    // A loaded machine can hold still in the middle of drawing the line: the look that undo must
    // bring back is taken once the line's end is on the page.
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().differences(blank, around(canvas.x + 400, canvas.y + 300, 8)) > 0; },
                          "the line's end"));
    const Shot painted = pageAfter(j, blank, canvas, "the painted line", "painted");
    ASSERT_GT(paintedPixels(painted), 100);

    ASSERT_TRUE(openPanel(j, "Backgrounds"));
    j.drag(kFirstThumbnailX, kFirstThumbnailY, canvas.x + 300, canvas.y + 200);
    const Shot covered = pageAfter(j, painted, canvas, "the background on the page", "background");
    EXPECT_GT(covered.differences(painted, canvas), canvas.width * canvas.height / 2) << "it covers the page";

    // The snail: the painting comes back, then the background again (a few pixels' leeway for
    // a look taken while the last of a stroke was still being drawn on a loaded machine).
    const int leeway = canvas.width * canvas.height / 200;
    j.click(planned("easel.side.Undo"));
    j.move(kRestX, kRestY);
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().differences(painted, canvas) < leeway; }, "the painting back"));
    j.keep("undone");
    j.click(planned("easel.side.Undo"));
    j.move(kRestX, kRestY);
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().differences(covered, canvas) < leeway; }, "the background again"));
    j.keep("redone");
}

// The movie's and the picture's colours, and how far the screen may show them off.
constexpr uint32_t kMovieRed = 0xE02828, kPictureBlue = 0x2848E0;
constexpr int kColourSlack = 48;

// The canvas pixels of a colour, and their bounding box (width 0 when there are none).
Area colourBox(const Shot& shot, uint32_t colour) {
    const Area canvas = canvasArea();
    int32_t left = INT32_MAX, top = INT32_MAX, right = -1, bottom = -1;
    for (int32_t y = canvas.y; y < canvas.y + canvas.height; ++y)
        for (int32_t x = canvas.x; x < canvas.x + canvas.width; ++x)
            if (nearColour(shot.pixel(x, y), colour, kColourSlack))
                left = std::min(left, x), top = std::min(top, y), right = std::max(right, x), bottom = std::max(bottom, y);
    return right < 0 ? Area{0, 0, 0, 0} : Area{left, top, right - left + 1, bottom - top + 1};
}

// Pixels of the canvas that are neither paper nor one of the two colours: frames, handles, buttons.
int framePixels(const Shot& shot) {
    return shot.count(canvasArea(), [](uint32_t p) {
        return !nearColour(p, kPaper, 8) && !nearColour(p, kMovieRed, kColourSlack) && !nearColour(p, kPictureBlue, kColourSlack);
    });
}

// Chooses a file in the import dialog the menu item opens, and waits until its colour shows.
testing::AssertionResult addFile(Journey& j, const std::string& item, const std::string& file, uint32_t colour) {
    if (auto chosen = chooseMenu(j, "Add", item); !chosen) return chosen;
    Area at;
    const Area screen{0, 0, 800, 620};
    if (auto listed = j.waitFor([&] { return (at = findWidgetText(j.screenshot(), file, screen, kWidgetText, 0xFFFFFF)).width > 0; },
                                file + " in the import dialog's list");
        !listed)
        return listed;
    j.click(at);
    if (auto open = j.waitFor([&] { return (at = findWidgetText(j.screenshot(), "Open", screen)).width > 0; }, "the dialog's Open");
        !open)
        return open;
    j.click(at);
    j.move(kRestX, kRestY);
    return j.waitFor([&] { return colourBox(j.screenshot(), colour).width > 40; }, file + " on the page");
}

TEST(PageObjectsJourney, AMovieAndAPictureArePlacedMovedPutDownTakenOffAndBroughtBack) {
    Journey j;
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    const fs::path movies = j.userFolder("Maya") / "Library/Movies";
    fs::create_directories(movies);
    fs::create_directories(j.home() / "Pictures");
    const std::string make = "ffmpeg -v error -y -f lavfi -i color=c=0xE02828:s=160x120:d=20:r=10 -c:v mpeg4 -q:v 2 '" +
                             (movies / "clip.mp4").string() + "'";
    ASSERT_EQ(std::system(make.c_str()), 0) << "ffmpeg writes the movie";
    ASSERT_TRUE(Shot(120, 90, std::vector<uint32_t>(120 * 90, kPictureBlue)).savePng((j.home() / "Pictures/sun.png").string()));
    const Area canvas = canvasArea();
    const Area rest{canvas.x + canvas.width - 40, canvas.y + canvas.height - 40, 1, 1};

    // The movie comes framed for placing, and goes where it is dragged.
    ASSERT_TRUE(addFile(j, "Add a Movie...", "clip.mp4", kMovieRed));
    ASSERT_TRUE(j.settle());
    const Area came = colourBox(j.keep("movie-placing"), kMovieRed);
    EXPECT_GT(framePixels(j.screenshot()), 0) << "its frame";
    j.drag(came.centerX(), came.centerY(), came.centerX() + 120, came.centerY() + 60);
    j.move(kRestX, kRestY);
    ASSERT_TRUE(j.waitFor([&] { return colourBox(j.screenshot(), kMovieRed).x > came.x + 100; }, "the movie moved"));
    // A press beside it puts it down: the frame goes and the press paints nothing.
    j.click(rest.x, rest.y);
    j.move(kRestX, kRestY);
    ASSERT_TRUE(j.waitFor([&] { return framePixels(j.screenshot()) == 0; }, "the movie put down, its frame gone"));
    const Area movie = colourBox(j.keep("movie-down"), kMovieRed);

    // The picture the same way; put down, it stays where it was moved.
    ASSERT_TRUE(addFile(j, "Add a Picture...", "sun.png", kPictureBlue));
    ASSERT_TRUE(j.settle());
    const Area picture = colourBox(j.keep("picture-placing"), kPictureBlue);
    j.drag(picture.centerX(), picture.centerY(), picture.centerX() - 60, picture.centerY() + 100);
    j.move(kRestX, kRestY);
    ASSERT_TRUE(j.waitFor([&] { return colourBox(j.screenshot(), kPictureBlue).y > picture.y + 80; }, "the picture moved"));
    j.click(rest.x, rest.y);
    j.move(kRestX, kRestY);
    ASSERT_TRUE(j.waitFor([&] { return framePixels(j.screenshot()) == 0; }, "the picture put down"));
    const Shot both = j.keep("both-down");
    EXPECT_GT(colourBox(both, kPictureBlue).y, picture.y + 80);

    // Delete takes the movie off; the snail brings it back where it was.
    j.key("Delete");
    ASSERT_TRUE(j.waitFor([&] { return colourBox(j.screenshot(), kMovieRed).width == 0; }, "the movie taken off"));
    j.keep("movie-deleted");
    EXPECT_GT(colourBox(j.screenshot(), kPictureBlue).width, 40) << "the picture stays";
    j.click(planned("easel.side.Undo"));
    j.move(kRestX, kRestY);
    ASSERT_TRUE(j.waitFor([&] { return colourBox(j.screenshot(), kMovieRed).x == movie.x; }, "the movie back in its place"));
    j.keep("movie-back");

    // A picture still being placed: the snail takes it away, and nothing else.
    const int blueBefore = j.screenshot().countColour(canvas, kPictureBlue, kColourSlack);
    ASSERT_TRUE(addFile(j, "Add a Picture...", "sun.png", kPictureBlue));
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().countColour(canvas, kPictureBlue, kColourSlack) > blueBefore + 1000; },
                          "a second picture being placed"));
    j.click(planned("easel.side.Undo"));
    j.move(kRestX, kRestY);
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().countColour(canvas, kPictureBlue, kColourSlack) <= blueBefore; },
                          "the picture being placed taken away"));
    const Shot after = j.keep("placing-undone");
    EXPECT_EQ(colourBox(after, kMovieRed).x, movie.x) << "the movie stays";
    EXPECT_EQ(framePixels(after), 0);
}

}  // namespace
