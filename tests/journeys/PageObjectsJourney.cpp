// Things a child puts on the page: a sticker (printed with the page, moved, resized, copied and
// pasted), a background the snail takes back, one kept in the child's library too, a movie and
// pictures from the Add menu (previewed, put down, deleted, undone), a Flash movie and a tiled
// picture; what plays stands still until played.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <tuple>

#include "contentgen/content/SwfMovieWriter.h"
#include "tests/journeys/Journey.h"
#include "tests/journeys/LanguageTexts.h"
#include "tests/journeys/ProgramSteps.h"
#include "tests/platform/print/PdfPages.h"

namespace {

namespace fs = std::filesystem;

// Beside the canvas, where the pointer rests while the page is looked at.
constexpr int32_t kRestX = 50, kRestY = 420;
// The library panel's button to the next library.
constexpr int32_t kNextLibraryX = 186, kNextLibraryY = 547;
// How far a drawn frame may lie from where a drag should have put it.
constexpr int32_t kSlack = 3;
// More changed pixels than a pointer leaves: a sticker's or a painting's.
constexpr int kChangedPixels = 200;

// The square of side 2 * half around a point.
Area around(int32_t x, int32_t y, int32_t half = 30) { return {x - half, y - half, 2 * half, 2 * half}; }

struct Corners {
    int32_t left, top, right, bottom;
};

// The upper left and lower right handles of the one frame on a blank area (the canvas unless
// given): the drawn pixels nearest its upper left and lower right corners (the frame's buttons
// sit at its other two corners).
Corners frameCorners(const Shot& shot, const Area& within = canvasArea()) {
    Corners found{0, 0, -1, -1};
    int32_t least = INT32_MAX, most = -1;
    for (int32_t y = within.y; y < within.y + within.height; ++y)
        for (int32_t x = within.x; x < within.x + within.width; ++x) {
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

// The most frequent colour of an area other than the paper's.
uint32_t inkOf(const Shot& shot, const Area& area) {
    std::map<uint32_t, int> counts;
    for (int32_t y = area.y; y < area.y + area.height; ++y)
        for (int32_t x = area.x; x < area.x + area.width; ++x)
            if (shot.pixel(x, y) != kPaper) ++counts[shot.pixel(x, y)];
    const auto most = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; });
    return most == counts.end() ? kPaper : most->first;
}

TEST(PageObjectsJourney, AStickerIsPlacedThenMovedAndResizedByItsFrameInItsOwnPanel) {
    Journey j(std::chrono::seconds(300));
    ASSERT_TRUE(j.start({.keyboard = "es"}));
    ASSERT_TRUE(logIn(j, "Maya"));
    ASSERT_TRUE(openPanel(j, "Stickers"));
    const Area canvas = canvasArea();
    const Shot blank = j.screenshot();

    j.drag(kFirstThumbnailX, kFirstThumbnailY, canvas.x + 80, canvas.y + 70);
    Shot placed = pageAfter(j, blank, around(canvas.x + 80, canvas.y + 70), "the sticker on the page", "placed");
    // The thumbnail on its way changes the place too: the sticker is down once its frame shows.
    ASSERT_TRUE(j.waitFor([&] { placed = j.screenshot(); const Corners c = frameCorners(placed); return c.right - c.left > 40; }, "the sticker in its frame"));
    const Corners was = frameCorners(placed);
    const int32_t width = was.right - was.left, height = was.bottom - was.top;
    ASSERT_GT(width, 20) << "a sticker in its frame";
    ASSERT_LT(was.right + 200, canvas.x + canvas.width) << "room to move it";

    // Saved as "Mi presentación" and printed: on the screen through the print dialog, and on the sheet.
    const Area inner{was.left + width / 4, was.top + height / 4, width / 2, height / 2};
    const uint32_t ink = inkOf(placed, inner);
    const int inked = placed.countColour(inner, ink);
    ASSERT_GT(inked, 20) << "a sticker of a colour of its own";
    j.key("ctrl+s");
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), "Save", kScreen).width > 0; }, "the save dialog"));
    j.type("Mi presentación");
    j.key("Return");
    ASSERT_TRUE(j.waitFor([&] { return fs::exists(j.userFolder("Maya") / "Pictures/Mi presentación.tbx"); }, "the picture file") && j.settle());

    ASSERT_TRUE(chooseMenu(j, "File", "Print..."));
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), "OK", kScreen).width > 0; }, "the print dialog"));
    ASSERT_TRUE(j.settle());
    EXPECT_GE(j.keep("print-dialog").countColour(inner, ink), inked * 9 / 10) << "the sticker stays on the screen";
    j.key("Return");  // OK, with the focus on the first choice
    const fs::path pdf = j.userFolder("Maya") / "Mi presentación.pdf";
    ASSERT_TRUE(j.waitFor([&] { return fs::exists(pdf); }, "the PDF file " + pdf.string(), std::chrono::seconds(60)));
    EXPECT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), "presentación.pdf", kScreen).width > 0; }, "the file's name told as typed"));
    j.keep("printed");
    ASSERT_TRUE(clickText(j, "OK"));
    const testprint::ScratchFolder scratch;
    const std::vector<testprint::RenderedPage> sheets = testprint::renderPdf(pdf, 20, scratch);
    ASSERT_EQ(sheets.size(), 1u) << pdf;
    int seen = 0;
    for (int y = 0; y < sheets[0].height; ++y)
        for (int x = 0; x < sheets[0].width; ++x) seen += nearColour(sheets[0].at(x, y), ink, 24);
    EXPECT_GT(seen, 20) << "the sticker's colour " << std::hex << ink << " on the sheet";

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

    // With the pencil a stroke that starts on the sticker paints the page, and the sticker
    // stays where it is.
    const Area inside{grown.left + (grown.right - grown.left) / 4, grown.top + (grown.bottom - grown.top) / 4,
                      (grown.right - grown.left) / 2, (grown.bottom - grown.top) / 2};
    ASSERT_TRUE(openPanel(j, "Draw"));
    const Shot pencil = j.screenshot();
    const int inkBefore = pencil.countColour(inside, ink);
    const int32_t across = (grown.top + grown.bottom) / 2;
    j.drag((grown.left + grown.right) / 2, across, grown.right + 60, across);
    const Shot stroked = pageAfter(j, pencil, canvas, "the stroke and the frame gone", "stroked");
    EXPECT_GT(stroked.count({grown.right + 8, across - 4, 40, 8}, [](uint32_t p) { return p != kPaper; }), 40) << "the stroke beside it";
    EXPECT_GE(stroked.countColour(inside, ink), inkBefore * 9 / 10) << "the sticker stays";

    // The cut and move panel's Paste, of Ctrl+C's copy with the pencil's panel open, then of its
    // own Copy's: in the page's middle.
    j.key("ctrl+c");
    ASSERT_TRUE(openPanel(j, "Grab"));
    const Area middle{canvas.centerX() - 30, canvas.centerY() - 30, 60, 60};
    for (const bool panelsCopy : {false, true}) {
        const Shot grab = j.screenshot();
        if (panelsCopy) j.click(128, 570);
        ASSERT_TRUE(j.settle());
        j.click(196, 570);
        j.move(kRestX, kRestY);
        ASSERT_TRUE(j.waitFor([&] { return j.screenshot().differences(grab, middle) > 200; }, "the pasted sticker"));
    }
    ASSERT_TRUE(j.settle());
    const Shot pasted = j.keep("pasted");

    // Every object that can be chosen shows its grey outline; a click chooses the first.
    const Area round{grown.left - 3, grown.top - 3, grown.right - grown.left + 6, grown.bottom - grown.top + 6};
    constexpr uint32_t kOutline = 0x808080;
    EXPECT_GT(pasted.countColour(round, kOutline, 8), stroked.countColour(round, kOutline, 8) + (grown.right - grown.left)) << "its grey outline";
    j.click(grown.left + 8, grown.top + 8);
    j.move(kRestX, kRestY);
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().differences(pasted, round) > 20; }, "the first sticker chosen"));

    // Saved, it is still the chosen one that Ctrl+X takes: its part that the pastes in the
    // middle leave uncovered goes blank.
    const int32_t pastedLeft = canvas.centerX() - (grown.right - grown.left) / 2;
    const Area uncovered{grown.left + 2, grown.top + 2, pastedLeft - grown.left - 6, grown.bottom - grown.top - 4};
    const int inkUncovered = pasted.countColour(uncovered, ink);
    ASSERT_GT(inkUncovered, 50);
    ASSERT_TRUE(j.settle());
    j.key("ctrl+s");
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), "Save", kScreen).width > 0; }, "the save dialog"));
    j.type("Otra");
    j.key("Return");
    ASSERT_TRUE(j.waitFor([&] { return fs::exists(j.userFolder("Maya") / "Pictures/Otra.tbx"); }, "the second file") && j.settle());
    j.key("ctrl+x");
    EXPECT_TRUE(j.waitFor([&] { return j.screenshot().countColour(uncovered, ink) < inkUncovered / 10; }, "the sticker cut"));
    // The last sticker left is chosen again, its black frame drawn as when it was pasted.
    const Area beside{grown.right + 10, canvas.y, canvas.x + canvas.width - grown.right - 10, canvas.height};
    EXPECT_TRUE(j.waitFor([&] { return j.screenshot().countColour(beside, 0) + 20 > pasted.countColour(beside, 0); }, "the sticker left chosen"));
    j.keep("cut");
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

    // In Spanish too, one Ctrl+Z takes a sticker just placed off again.
    ASSERT_TRUE(chooseMenu(j, "Controls", "Español"));
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), "Archivo", menuBarArea()).width > 0; }, "Spanish") && j.settle());
    ASSERT_TRUE(openPanel(j, "Stickers"));
    const Shot bare = j.screenshot();
    j.drag(kFirstThumbnailX, kFirstThumbnailY, canvas.x + 80, canvas.y + 70);
    pageAfter(j, bare, around(canvas.x + 80, canvas.y + 70), "the sticker on the page", "sticker");
    j.key("ctrl+z");
    EXPECT_TRUE(j.waitFor([&] { return j.screenshot().differences(bare, canvas) < leeway; }, "the sticker taken off"));
}

// Flatten Stickers: "Just this one" sticks down the chosen sticker (the last put down), the panel
// opened again frames the other two; right after "All of them", one undo gives those back.
TEST(PageObjectsJourney, JustThisOneSticksDownTheChosenStickerAndAllOfThemTheRestUntilUndone) {
    const Area justThisOne{342, 354 + kScreenTop, 114, 50}, allOfThem{468, 354 + kScreenTop, 114, 50};  // as the dialog shows them
    Journey j;
    ASSERT_TRUE(j.start() && logIn(j, "Maya") && openPanel(j, "Stickers"));
    const int32_t y = canvasArea().y + 150, x[] = {canvasArea().x + 100, canvasArea().x + 290, canvasArea().x + 480};
    for (const int32_t at : x) {
        const Shot before = j.screenshot();
        j.drag(kFirstThumbnailX, kFirstThumbnailY, at, y);
        pageAfter(j, before, around(at, y), "a sticker", "sticker");
    }
    // A sticker's frame or outline runs above it, where its picture leaves the paper blank.
    const auto framed = [&](size_t first) {
        const Shot shot = j.screenshot();
        for (size_t i = 0; i < 3; ++i)
            if ((shot.count({x[i] - 40, y - 65, 80, 3}, [](uint32_t p) { return p != kPaper; }) > 60) != (i < first)) return false;
        return true;
    };
    EXPECT_TRUE(j.waitFor([&] { return framed(3); }, "the two put down before the last in their outlines"));
    for (const bool all : {false, true}) {
        ASSERT_TRUE(chooseMenu(j, "Toolbox", "Flatten Stickers"));
        ASSERT_TRUE(j.waitFor([&] { return j.screenshot().countColour(justThisOne, 0x3A86FF, 40) > 2000; }, "the flatten dialog"));
        j.click(all ? allOfThem : justThisOne);
        if (all) {
            EXPECT_TRUE(j.waitFor([&] { return framed(0); }, "every sticker stuck down"));
            j.key("ctrl+z");
        }
        ASSERT_TRUE(openPanel(j, "Draw") && openPanel(j, "Stickers"));
        EXPECT_TRUE(j.waitFor([&] { return framed(2); }, all ? "the two stickers back" : "two stickers left"));
        j.keep(all ? "undone" : "just-this-one");
    }
}

// The window stands away from the screen's corner (as a desktop puts it): what follows the
// pointer must follow it there too.
TEST(PageObjectsJourney, ACutPieceAndADraggedStickerStayUnderThePointerWhereverTheWindowStands) {
    Journey j;
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    const Area canvas = canvasArea();
    const Area line{canvas.x + 106, canvas.y + 62, 80, 9}, landed{line.x + 200, line.y + 100, line.width, line.height};
    const Shot blank = j.screenshot();
    j.drag(line.x - 10, line.centerY(), line.x + line.width + 10, line.centerY());
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().differences(blank, line) > 200; }, "the pencil's line"));

    // Cut with the square round the line, then dragged by (+200, +100): it lands there.
    constexpr int32_t kCellPitch = 68, kSquareCell = 3;
    ASSERT_TRUE(openPanel(j, "Grab"));
    j.click(kFirstThumbnailX + kSquareCell * kCellPitch, kFirstThumbnailY);
    ASSERT_TRUE(j.settle());
    const auto isInk = [](uint32_t p) { return p != kPaper; };
    j.drag(line.x - 30, line.y - 20, line.x + line.width + 30, line.y + line.height + 20);
    // Its dotted outline moves on its own: the piece is cut once the outline stands round the line.
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().count(Area{line.x, line.y - 20, line.width, 1}, isInk) > 10; }, "the cut piece's outline"));
    j.drag(line.centerX(), line.centerY(), line.centerX() + 200, line.centerY() + 100);
    j.move(kRestX, kRestY);
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().count(landed, isInk) > 200; }, "the piece where the pointer left it"));
    EXPECT_EQ(j.keep("piece-moved").count(line, isInk), 0) << "nothing left where the piece was";

    // A sticker on its way from the strip is drawn under the pointer.
    ASSERT_TRUE(openPanel(j, "Stickers"));
    const Shot before = j.screenshot();
    const int32_t toX = canvas.x + 420, toY = canvas.y + 320;
    j.move(kFirstThumbnailX, kFirstThumbnailY);
    j.press(true);
    for (int step = 1; step <= 10; ++step)
        j.move(kFirstThumbnailX + (toX - kFirstThumbnailX) * step / 10, kFirstThumbnailY + (toY - kFirstThumbnailY) * step / 10);
    EXPECT_TRUE(j.waitFor([&] { return j.screenshot().differences(before, around(toX, toY, 16)) > 200; }, "the sticker under the pointer"));
    j.keep("sticker-on-its-way");
    j.press(false);

    // Dragged by its frame, only the frame where the hand has it shows, none where it stood.
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().countColour(around(toX, toY, 90), 0xFFFFCC, 8) > 40; }, "the frame's buttons"));
    j.press(true);
    ASSERT_TRUE(j.settle());  // a hand rests a moment on what it took before it moves
    for (int step = 1; step <= 10; ++step) j.move(toX - 20 * step, toY);
    EXPECT_TRUE(j.waitFor([&] { return j.screenshot().count(around(toX - 200, toY, 90), isInk) > 400; }, "the frame where the hand has it"));
    // The window shows an update's pieces one after another: the shot waits for the last.
    ASSERT_TRUE(j.settle());
    const Shot held = j.keep("frame-held-mid-drag");
    // The frame stood 200 to the right of where it is held: its corners are its handles' middles.
    const Corners c = frameCorners(held, around(toX - 200, toY, 90));
    const int32_t left = c.left + 204, top = c.top + 4, right = c.right + 195, bottom = c.bottom - 5;
    for (const Area& side : {Area{left + 10, top, right - left - 20, 1}, Area{left + 10, bottom, right - left - 20, 1},
                             Area{left, top + 10, 1, bottom - top - 20}, Area{right, top + 10, 1, bottom - top - 20}})
        EXPECT_EQ(held.count(side, isInk), 0) << "the frame's outline left where it stood";
    j.press(false);
}

constexpr uint32_t kMovieRed = 0xE02828, kPictureBlue = 0x2848E0, kFlashGreen = 0x28E048;

// A background brought in with "in my library too" ticked: afterwards it is the last library of
// the Backgrounds panel, one step after the program's own.
TEST(PageObjectsJourney, ABackgroundImportedIntoMyLibraryIsInTheBackgroundsPanelAfterwards) {
    Journey j;
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    const fs::path pictures = j.home() / "Pictures";
    fs::create_directories(pictures);
    ASSERT_TRUE(Shot(200, 150, std::vector<uint32_t>(200 * 150, kFlashGreen)).savePng((pictures / "meadow.png").string()));
    ASSERT_TRUE(chooseMenu(j, "Add", languageText("English", "MenuStrings", "ImportBackground")) && clickText(j, "meadow.png", 0xFFFFFF));
    ASSERT_TRUE(clickText(j, languageText("English", "FileStrings", "AddToLibrary")));
    ASSERT_TRUE(j.settle());
    j.keep("library-choice");
    ASSERT_TRUE(clickText(j, "Open"));
    const Area canvas = canvasArea();
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().countColour(canvas, kFlashGreen, 48) > canvas.width * canvas.height / 2; }, "the green background"));
    const fs::path library = j.userFolder("Maya") / "Library/Pictures";
    ASSERT_TRUE(j.waitFor([&] { return fs::exists(library) && !fs::is_empty(library); }, "Maya's own library of pictures"));
    for (const auto& file : fs::directory_iterator(library)) EXPECT_EQ(file.path().extension(), ".tbl") << "nothing left beside it";

    ASSERT_TRUE(openPanel(j, "Backgrounds"));
    const Area panel = planned("easel.panel");
    j.click(kNextLibraryX, kNextLibraryY);
    j.move(kRestX, kRestY);
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().countColour(panel, kFlashGreen, 48) > 1000; }, "its green thumbnail in the panel"));
    j.keep("in-the-panel");
}

bool shows(const Shot& shot, int32_t x, int32_t y, uint32_t colour) { return nearColour(shot.pixel(x, y), colour, 48); }

// Chooses a file in the dialog of an item of the Add menu, and the placement `place` if given.
testing::AssertionResult addFile(Journey& j, const std::string& item, const std::string& file, const std::string& place = "") {
    if (auto chosen = chooseMenu(j, "Add", item); !chosen) return chosen;
    if (auto listed = clickText(j, file, 0xFFFFFF); !listed) return listed;
    if (auto placed = place.empty() ? testing::AssertionSuccess() : clickText(j, place); !placed) return placed;
    return clickText(j, "Open");
}

TEST(PageObjectsJourney, MoviesAndPicturesArePlacedPutDownTakenOffAndBroughtBackAndATileFillsThePage) {
    Journey j;
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    const fs::path pictures = j.home() / "Pictures", videos = j.home() / "Videos";
    fs::create_directories(pictures);
    fs::create_directories(videos);
    // A red movie that flickers (its red a little darker every other picture) while it plays;
    // among the desktop's videos, where Add a Movie opens.
    ASSERT_EQ(std::system(("ffmpeg -v error -f lavfi -i color=c=0xE02828:s=160x120:d=5 -vf \"format=rgb24,geq=r='224-24*mod(N,2)':g=40:b=40\" -c:v mpeg4 '" +
                           (videos / "clip.mp4").string() + "'").c_str()), 0);
    ASSERT_TRUE(Shot(120, 90, std::vector<uint32_t>(120 * 90, kPictureBlue)).savePng((pictures / "sun.png").string()));
    const Area canvas = canvasArea();
    const int32_t x = canvas.centerX(), y = canvas.centerY();
    // The preview shows the picture as the page gets it: "As it is, in the corner" small at the
    // corner, up and left of the middle where it first showed (not filling the preview).
    Area below;  // the dialog's placements and preview, under their words
    const auto blue = [&below](const Shot& s) {
        int64_t n = 0, sx = 0, sy = 0;
        for (int32_t py = below.y; py < below.y + below.height; ++py)
            for (int32_t px = below.x; px < below.x + below.width; ++px)
                if (nearColour(s.pixel(px, py), kPictureBlue, 48)) ++n, sx += px, sy += py;
        return std::tuple{n, n ? sx / n : 0, n ? sy / n : 0};
    };
    ASSERT_TRUE(chooseMenu(j, "Add", "Add a Picture...") && clickText(j, "sun.png", 0xFFFFFF));
    const Area words = findWidgetText(j.screenshot(), languageText("English", "FileStrings", "ImportPreview"), kScreen);
    ASSERT_GT(words.width, 0) << "the preview's words";
    below = {words.x - 10, words.y, 340, 130};
    ASSERT_TRUE(j.waitFor([&] { return std::get<0>(blue(j.screenshot())) > 50; }, "the picture in the middle of the preview"));
    int64_t middle = 0, middleX = 0, middleY = 0;
    std::tie(middle, middleX, middleY) = blue(j.screenshot());
    ASSERT_TRUE(clickText(j, languageText("English", "FileStrings", "PlaceNatural")));
    ASSERT_TRUE(j.waitFor([&] { const auto [n, cx, cy] = blue(j.screenshot()); return n < middle * 2 && cx < middleX - 10 && cy < middleY - 10; },
                          "the picture at its size in the preview's corner"));
    j.keep("corner-preview");
    j.key("Escape");
    // Each comes framed in the middle, goes where dragged; a press beside puts it down, painting nothing.
    for (const auto& [item, file, colour, dx] : {std::tuple{"Add a Movie...", "clip.mp4", kMovieRed, 120}, std::tuple{"Add a Picture...", "sun.png", kPictureBlue, -120}}) {
        ASSERT_TRUE(addFile(j, item, file));
        ASSERT_TRUE(j.waitFor([&] { return shows(j.screenshot(), x, y, colour); }, file));
        j.drag(x, y, x + dx, y + 100);
        j.click(canvas.x + 10, canvas.y + canvas.height - 10);
        j.move(kRestX, kRestY);
        ASSERT_TRUE(j.waitFor([&] { const Shot s = j.screenshot(); return shows(s, x + dx, y + 100, colour) && !shows(s, x, y, colour); }, "moved"));
        const auto onlyPaperAndThings = [&] { return j.screenshot().count(canvas, [](uint32_t p) { return p != kPaper && !nearColour(p, kMovieRed, 48) && !nearColour(p, kPictureBlue, 48); }) == 0; };
        EXPECT_TRUE(j.waitFor(onlyPaperAndThings, "put down, with nothing painted"));
        j.keep(file);
    }
    // Delete takes the movie off and the snail brings it back; the picture is in the painting.
    const auto movie = [&] { return shows(j.screenshot(), x + 120, y + 100, kMovieRed); };
    j.key("Delete");
    ASSERT_TRUE(j.waitFor([&] { return !movie(); }, "the movie taken off"));
    j.click(planned("easel.side.Undo"));
    ASSERT_TRUE(j.waitFor(movie, "the movie back"));
    // A picture still being placed: the snail takes it away, and nothing else.
    j.move(kRestX, kRestY);
    const Shot before = j.keep("movie-back");
    ASSERT_TRUE(addFile(j, "Add a Picture...", "sun.png"));
    ASSERT_TRUE(j.waitFor([&] { return shows(j.screenshot(), x, y, kPictureBlue); }, "a second picture"));
    j.click(planned("easel.side.Undo"));
    j.move(kRestX, kRestY);
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().differences(before, canvas) == 0; }, "the picture being placed taken away"));

    // A Flash movie, once asked whether it may replace the movie, shows where it lands; it and
    // the movie stand on their first pictures until Play. Saved, the movie shows from the
    // picture's file.
    Raster box(160, 120);
    std::fill(box.pixels.begin(), box.pixels.end(), 0xFF000000u | kFlashGreen);
    const std::vector<u8> swf = writeSwfMovie(box, {SwfPlacement{80, 60}, SwfPlacement{100, 60}}, 160, 120, 12);
    std::ofstream(videos / "hop.swf", std::ios::binary).write(reinterpret_cast<const char*>(swf.data()), std::streamsize(swf.size()));
    ASSERT_TRUE(addFile(j, "Add a Movie...", "hop.swf") && clickText(j, "OK"));
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().countColour(canvas, kFlashGreen, 48) > 160 * 120 / 2; }, "the Flash movie's green box"));
    ASSERT_TRUE(j.settle());
    const Shot still = j.screenshot();
    EXPECT_TRUE(j.holds([&] { return j.screenshot().differences(still, canvas) == 0; }, "nothing playing", std::chrono::seconds(2)));
    // Exported as a JPEG picture, the page holds its movie and its Flash movie as they show,
    // without the outlines Cut and Move draws round them.
    ASSERT_TRUE(openPanel(j, "Grab"));
    ASSERT_TRUE(chooseMenu(j, "File", "Export...") && j.settle());  // JPEG pictures, the first kind, chosen
    j.type("page");
    j.key("Return");
    const fs::path picture = j.userFolder("Maya") / "page.jpg";
    ASSERT_TRUE(j.waitFor([&] { return fs::exists(picture) && fs::file_size(picture) > 1000; }, picture.string()) && clickText(j, "OK") && j.settle());
    const Shot exported = movieFrame(picture, canvas);
    ASSERT_FALSE(exported.empty());
    EXPECT_TRUE(nearColour(exported.pixel(x + 120 - canvas.x, y + 100 - canvas.y), kMovieRed, 48)) << "the movie in the picture";
    EXPECT_GT(exported.countColour(exported.whole(), kFlashGreen, 48), 160 * 120 / 2) << "the Flash movie in the picture";
    EXPECT_LT(exported.count(exported.whole(), [](uint32_t p) { return nearColour(p, 0x808080, 24) || nearColour(p, 0x000000, 64); }), 40)
        << "no outline, frame or handle of the screen's in the picture";
    // Its movie too shows the movie round the Flash movie over it as the screen does, not a
    // speck of white between them.
    ASSERT_TRUE(chooseMenu(j, "File", "Export...") && clickText(j, "Movies") && j.settle());
    j.type("page");
    ASSERT_TRUE(clickText(j, "Save"));
    const fs::path film = j.userFolder("Maya") / "page.mov";
    ASSERT_TRUE(j.waitFor([&] { return fs::exists(film) && fs::file_size(film) > 1000; }, film.string(), std::chrono::seconds(120)));
    ASSERT_TRUE(clickText(j, "OK") && j.settle());
    const Area movieArea{x + 44 - canvas.x, y + 44 - canvas.y, 152, 112};
    for (const double at : {0.1, 0.5})
        EXPECT_EQ(movieFrame(film, canvas, at).count(movieArea, [](uint32_t p) { return nearColour(p, 0xFFFFFF, 60); }), 0) << at;
    ASSERT_TRUE(openPanel(j, "Draw"));
    j.key("ctrl+s");
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), "Save", kScreen).width > 0; }, "the save dialog"));
    j.type("Clip");
    j.key("Return");
    ASSERT_TRUE(j.waitFor([&] { return fs::exists(j.userFolder("Maya") / "Pictures/Clip.tbx"); }, "the picture file") && j.settle());
    EXPECT_TRUE(j.waitFor([&] { return shows(j.screenshot(), x + 120, y + 100, kMovieRed); }, "the movie, from the picture's file"));
    std::vector<uint32_t> stripes(40 * 30);
    for (size_t i = 0; i < stripes.size(); ++i) stripes[i] = i % 40 < 20 ? kMovieRed : kPictureBlue;
    ASSERT_TRUE(Shot(40, 30, std::move(stripes)).savePng((pictures / "tile.png").string()));
    // The preview shows the tiles the page gets: as many stripes across, each tile shrunk by the preview's scale.
    const auto stripesAcross = [](const Shot& s, const Area& area, int32_t row) {
        int changes = 0, last = 0;
        for (int32_t px = area.x; px < area.x + area.width; ++px) {
            const int now = nearColour(s.pixel(px, row), kMovieRed, 48) ? 1 : nearColour(s.pixel(px, row), kPictureBlue, 48) ? 2 : 0;
            if (now && last && now != last) ++changes;
            if (now) last = now;
        }
        return changes;
    };
    ASSERT_TRUE(chooseMenu(j, "Add", "Add a Picture...") && clickText(j, "tile.png", 0xFFFFFF) &&
                clickText(j, languageText("English", "FileStrings", "PlaceTile")));
    // Across the preview's middle, where the picture showed before.
    const int32_t row = int32_t(middleY);
    ASSERT_TRUE(j.waitFor([&] { return stripesAcross(j.screenshot(), below, row) > 4; }, "the tiles in the preview") && j.settle());
    const int previewStripes = stripesAcross(j.keep("tiles-preview"), below, row);
    ASSERT_TRUE(clickText(j, "Open"));
    // A quarter of every quarter of the page, round the movies, in each colour of the tile.
    const auto tiled = [&](const Shot& s) {
        for (int q = 0; q < 4; ++q) {
            const Area quarter{canvas.x + q % 2 * canvas.width / 2, canvas.y + q / 2 * canvas.height / 2, canvas.width / 2, canvas.height / 2};
            for (uint32_t colour : {kMovieRed, kPictureBlue})
                if (s.countColour(quarter, colour, 48) < quarter.width * quarter.height / 4) return false;
        }
        return true;
    };
    ASSERT_TRUE(j.waitFor([&] { return tiled(j.screenshot()); }, "red and blue tiles all over the page"));
    EXPECT_NEAR(previewStripes, stripesAcross(j.keep("tiled"), canvas, canvas.y + 4), 2) << "the preview's tiles are the page's";
    // Flatten Stickers is the stickers' panel's, not the pencils'.
    EXPECT_TRUE(menuShowsItem(j, "Toolbox", "Flatten Stickers", kGreyText));
    ASSERT_TRUE(openPanel(j, "Stickers"));
    EXPECT_TRUE(menuShowsItem(j, "Toolbox", "Flatten Stickers", kWidgetText));
}

}  // namespace
