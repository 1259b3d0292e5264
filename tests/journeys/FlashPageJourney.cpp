// A child paints a page, gives it a sound, exports it as a Flash movie, and on another day, in
// Spanish, brings the movie back onto a page through Add > Import a Sound: the painting shows
// where it was painted, clean to the page's edges, and the page's Play button takes the movie's sound;
// exported again, that page's movie holds the movie once, not also frozen in its picture.
#include <filesystem>
#include <thread>

#include "tests/journeys/Journey.h"
#include "tests/journeys/LanguageTexts.h"
#include "tests/journeys/ProgramSteps.h"
#include "tests/journeys/WidgetText.h"

namespace {

namespace fs = std::filesystem;

std::string menuText(const std::string& language, const std::string& key) { return languageText(language, "MenuStrings", key); }

// The sound panel's first library thumbnail.
constexpr int32_t kFirstThumbnailX = 286, kFirstThumbnailY = 575;
// The painted band, in the canvas's coordinates.
constexpr int32_t kBandLeft = 60, kBandRight = 300, kBandTop = 192, kBandBottom = 208;

Area band() {
    const Area canvas = canvasArea();
    return {canvas.x + kBandLeft, canvas.y + kBandTop, kBandRight - kBandLeft, kBandBottom - kBandTop};
}

testing::AssertionResult paintBand(Journey& j) {
    const Area canvas = canvasArea();
    for (int32_t y = kBandTop; y <= kBandBottom; y += 4) j.drag(canvas.x + kBandLeft, canvas.y + y, canvas.x + kBandRight, canvas.y + y);
    const Area painted = band();
    return j.waitFor([&] { return j.screenshot().count(painted, [](uint32_t p) { return p != kPaper; }) > painted.width * painted.height / 2; },
                     "the painted band");
}

TEST(FlashPageJourney, APagesFlashExportComesBackShowingItsPaintingWithItsSound) {
    Journey j(std::chrono::seconds(300));
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    const Shot pencils = j.screenshot();
    ASSERT_TRUE(paintBand(j));
    const Area play = planned("easel.side.Play");
    ASSERT_TRUE(j.settle());
    j.click(planned("easel.tool.Sounds"));
    ASSERT_TRUE(j.waitForChange(pencils, planned("easel.panel"), "the sounds panel"));
    ASSERT_TRUE(j.settle());
    const Shot silent = j.keep("sounds-panel");
    const Area canvas = canvasArea();
    j.drag(kFirstThumbnailX, kFirstThumbnailY, canvas.x + 480, canvas.y + 350);
    ASSERT_TRUE(j.waitForChange(silent, play, "Play, come on for the page's sound"));
    ASSERT_TRUE(j.settle());
    const Shot painted = j.keep("painted-with-sound");

    ASSERT_TRUE(chooseMenu(j, menuText("English", "File"), menuText("English", "Export")));
    ASSERT_TRUE(j.waitForChange(painted, {0, kMenuBarHeight, 800, 600 - kMenuBarHeight}, "the export dialog"));
    ASSERT_TRUE(j.settle());
    j.type("hop");
    const Area dialog{0, kMenuBarHeight, 800, 600 - kMenuBarHeight};
    Area flash;
    ASSERT_TRUE(j.waitFor([&] { return (flash = findWidgetText(j.screenshot(), "Flash", dialog)).width > 0; },
                          "Flash among the export's kinds"));
    j.click(flash);
    ASSERT_TRUE(j.settle());
    j.keep("export-dialog");
    const Area save = findWidgetText(j.screenshot(), "Save", dialog);
    ASSERT_GT(save.width, 0) << "the dialog's Save button";
    j.click(save);
    const fs::path exported = j.userFolder("Maya") / "hop.swf";
    ASSERT_TRUE(j.waitFor([&] { return fs::exists(exported) && fs::file_size(exported) > 0; }, "the Flash movie " + exported.string(),
                          std::chrono::seconds(60)));
    // The program says where the movie is, as it does for a QuickTime one.
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), "hop.swf", dialog).width > 0; }, "the Flash movie's name told"));
    j.keep("flash-told");
    ASSERT_TRUE(clickText(j, "OK") && j.settle());
    // Saved, the page leaves nothing to ask at Quit.
    j.key("ctrl+s");
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), "Save", dialog).width > 0; }, "the save dialog"));
    j.type("Hop");
    j.key("Return");
    const fs::path saved = j.userFolder("Maya") / "Pictures/Hop.tbx";
    ASSERT_TRUE(j.waitFor([&] { return fs::exists(saved); }, "the picture file " + saved.string()));
    j.key("ctrl+q");
    ASSERT_TRUE(j.waitForExit());

    // Put among the desktop's music, where the import dialog opens.
    fs::create_directories(j.home() / "Music");
    fs::copy_file(exported, j.home() / "Music/hop.swf");
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    const Shot blank = j.keep("new-day");
    EXPECT_EQ(paintedPixels(blank), 0);
    ASSERT_TRUE(chooseMenu(j, menuText("English", "Controls"), menuText("English", "SwitchLanguage1")));
    const std::string add = menuText("Spanish", "Add");
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), add, menuBarArea()).width > 0; }, "\"" + add + "\" in the menu bar"));
    ASSERT_TRUE(chooseMenu(j, add, menuText("Spanish", "ImportSound")));
    // The dialog lists sounds first; its Flash kind lists the movies.
    ASSERT_TRUE(j.waitFor([&] { return (flash = findWidgetText(j.screenshot(), "Flash", dialog)).width > 0; },
                          "Flash among the import's kinds"));
    j.click(flash);
    Area file;
    ASSERT_TRUE(j.waitFor(
        [&] { return (file = findWidgetText(j.screenshot(), "hop.swf", {0, 0, 800, 620}, kWidgetText, 0xFFFFFF)).width > 0; },
        "hop.swf in the import dialog's list"));
    j.keep("import-dialog");
    j.click(file);
    const Area open = findWidgetText(j.screenshot(), "Abrir", dialog);
    ASSERT_GT(open.width, 0) << "the dialog's Open button, in Spanish";
    j.click(open);
    const Area shows = band();
    ASSERT_TRUE(j.waitFor(
        [&] {
            const Shot shot = j.screenshot();
            return shot.count(shows, [](uint32_t p) { return p != kPaper; }) > shows.width * shows.height / 2 &&
                   paintedPixels(shot) < shows.width * shows.height * 2;
        },
        "the painting, shown by the movie where it was painted, and nothing else on the page"));
    ASSERT_TRUE(j.settle());
    const Shot placed = j.keep("movie-placed");
    // The movie shows the page up to the canvas's edges: no dark line, corner mark or frame there.
    const auto dark = [](uint32_t p) { return (p >> 16 & 0xFF) < 0x40 && (p >> 8 & 0xFF) < 0x40 && (p & 0xFF) < 0x40; };
    for (const Area& edge : {Area{canvas.x, canvas.y, canvas.width, 4}, Area{canvas.x, canvas.y + canvas.height - 4, canvas.width, 4},
                             Area{canvas.x, canvas.y, 4, canvas.height}, Area{canvas.x + canvas.width - 4, canvas.y, 4, canvas.height}})
        EXPECT_EQ(placed.count(edge, dark), 0) << "dark pixels along the canvas's edge at " << edge.x << "," << edge.y;
    EXPECT_GT(placed.differences(blank, play), 0) << "Play has come on for the movie's sound";
    j.click(play);
    ASSERT_TRUE(j.waitForChange(placed, play, "Play pressed"));
    j.keep("playing");

    // Exported again, the movie plays once, as its own animation: the picture beneath it is blank.
    ASSERT_TRUE(chooseMenu(j, menuText("Spanish", "File"), menuText("Spanish", "Export")));
    ASSERT_TRUE(j.waitFor([&] { return (flash = findWidgetText(j.screenshot(), "Flash", dialog)).width > 0; }, "Flash in the export"));
    j.type("otra");
    j.click(flash);
    ASSERT_TRUE(j.settle());
    j.keep("export-dialog-es");
    ASSERT_TRUE(clickText(j, "Guardar"));
    const fs::path again = j.userFolder("Maya") / "otra.swf";
    ASSERT_TRUE(j.waitFor([&] { return fs::exists(again) && fs::file_size(again) > 0; }, again.string(), std::chrono::seconds(60)));
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), "otra.swf", dialog).width > 0; }, "the name told in Spanish"));
    j.keep("flash-told-es");
    j.key("Return");  // its Aceptar, the message's one button
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), "otra.swf", dialog).width == 0; }, "the message put away"));
    const Shot beneath = movieFrame(again, canvas);
    ASSERT_FALSE(beneath.empty()) << "the picture of " << again;
    const Area painting{kBandLeft, kBandTop, kBandRight - kBandLeft, kBandBottom - kBandTop};
    EXPECT_EQ(beneath.count(painting, [](uint32_t p) { return !nearColour(p, kPaper, 40); }), 0) << "the movie frozen in the picture beneath it";
}

TEST(FlashPageJourney, APageOfAStickerAndAnAnimationExportedAsFlashMovesWhenAddedBackAsAMovie) {
    Journey j(std::chrono::seconds(300));
    ASSERT_TRUE(j.start() && logIn(j, "Maya"));
    // Above where the dialogs show, so that only the page is seen there.
    const Area canvas = canvasArea(), sticker{canvas.x + 20, canvas.y + 30, 60, 60}, animation{canvas.x + 420, canvas.y + 30, 80, 80};
    for (const auto& [panel, at] : {std::pair{"Stickers", sticker}, {"Animations", animation}}) {
        ASSERT_TRUE(openPanel(j, panel));
        const Shot before = j.screenshot();
        j.drag(kFirstThumbnailX, kFirstThumbnailY, at.centerX(), at.centerY());
        ASSERT_TRUE(j.waitForChange(before, at, panel) && j.settle());
    }
    ASSERT_TRUE(chooseMenu(j, "File", menuText("English", "Export")) && clickText(j, "Flash"));
    j.type("friends");
    ASSERT_TRUE(clickText(j, "Save"));
    const fs::path exported = j.userFolder("Maya") / "friends.swf", videos = j.home() / "Videos";
    ASSERT_TRUE(j.waitFor([&] { return fs::exists(exported) && fs::file_size(exported) > 0; }, exported.string(), std::chrono::seconds(60)));
    ASSERT_TRUE(clickText(j, "OK") && chooseMenu(j, "File", menuText("English", "New")));
    j.click(kQuestionNo);  // the page not kept
    ASSERT_TRUE(j.waitFor([&] { return paintedPixels(j.screenshot()) == 0; }, "a blank page"));
    fs::create_directories(videos);
    fs::copy_file(exported, videos / "friends.swf");
    ASSERT_TRUE(chooseMenu(j, "Add", menuText("English", "AddMovie")) && clickText(j, "friends.swf", 0xFFFFFF) && clickText(j, "Open"));
    // The movie's first frame shows the sticker and the animation where they were; Play moves it.
    const auto shows = [&](const Shot& shot, const Area& at) { return shot.count(at, [](uint32_t p) { return p != kPaper; }) > 200; };
    ASSERT_TRUE(j.waitFor([&] { const Shot s = j.screenshot(); return shows(s, sticker) && shows(s, animation); }, "both shown") && j.settle());
    j.click(planned("easel.side.Play"));
    EXPECT_TRUE(j.waitFor([&] { const Shot first = j.screenshot(); std::this_thread::sleep_for(std::chrono::milliseconds(300));
                                return j.screenshot().differences(first, canvas) > 0; }, "the movie moving after Play"));
}

}  // namespace
