// Animations and movies on the running easel: a Flash file and a movie brought in through the
// menus stand still until played (on the fake clock), their frames' buttons stop, play and step
// them, a move takes the picture along, the picture saved and opened again shows again, and a
// flatten merges the animation into the page. Files that hold no animation or no picture are
// file errors that leave the page as it was.
#include <cctype>
#include <fstream>

#include "app/menus/MenuCommands.h"
#include "document/filedialogs/ImportStartFolder.h"
#include "document/objects/RMediaFilePageObject.h"
#include "document/pages/RPage.h"
#include "document/storage/ObjectTypes.h"
#include "document/users/EnginePath.h"
#include "engine/ini/IniProfiles.h"
#include "framework/language/LanguageTexts.h"
#include "media/quicktime/QtConnection.h"
#include "panels/frames/FrameCommands.h"
#include "panels/frames/RFrameMaker.h"
#include "panels/frames/RMediaEditFrame.h"
#include "platform/files/Files.h"
#include "platform/keyboard/VirtualKeys.h"
#include "screens/easel/CanvasMessages.h"
#include "screens/easel/RCanvas.h"
#include "tests/media/objects/PageMediaFiles.h"
#include "tests/screens/easel/EaselHarness.h"

namespace {

using namespace Ostrel;

constexpr u32 k12Fps = 0xC0000;

class EaselPageMedia : public testscreens::EaselHarness {
protected:
    void SetUp() override {
        EaselHarness::SetUp();
        if (HasFatalFailure()) return;
        qtSetSearchFolders({TUMBLO_TEST_PROGRAM_DIR});
        enterEasel();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(qtConnected());
        canvas = easel->Canvas()->CanvasRect();
        frames = easel->Canvas()->FrameMaker();
        // As the cut and move panel's move mode does: every object of the page is framed.
        frames->BuildObjectFrames(0);
    }
    void TearDown() override {
        EaselHarness::TearDown();
        qtSetSearchFolders({});
    }
    RPage* page() const { return app->GetCurrentPage(); }
    // The bytes as a file of the folder the command's dialog opens in.
    void writeFile(u16 folder, const std::string& name, const std::vector<u8>& bytes) {
        std::ofstream(plat::hostPathOfText(app->GetPaths()->BuildPath(folder, false)) + "/" + name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    void through(u16 command, const std::string& name) {
        for (const char c : name) queueKey(c == '.' ? plat::kVkPeriod : u8(std::toupper(u8(c))));
        queueKey(plat::kVkReturn);
        mainWindow->OnCommand(command);
        settle();
    }
    std::vector<RPageObject*> objects(FourCC type) const {
        std::vector<RPageObject*> found;
        u32 iterator = 0;
        RPageObject* object = nullptr;
        while (page()->Data().NextObject(&iterator, &object, type)) found.push_back(object);
        return found;
    }
    const RFlash& flash() const { return easel->Canvas()->Media()->Flash(); }
    Rect16 onScreen(const PageRect& r) const {
        return {i16(r.left + canvas.left), i16(r.top + canvas.top), i16(r.right + canvas.left), i16(r.bottom + canvas.top)};
    }
    Point16 middleOf(const PageRect& r) const {
        const Rect16 s = onScreen(r);
        return {i16((s.left + s.right) / 2), i16((s.top + s.bottom) / 2)};
    }

    Rect16 canvas{};
    RFrameMaker* frames = nullptr;
};

// The command that plays the object placed last plays that animation alone, from its start.
TEST_F(EaselPageMedia, PlayingTheLastPlacedObjectPlaysItAlone) {
    writeFile(kFolderLibSounds, "hop.swf", mediatest::animationBytes(4, k12Fps, 64, 48));
    through(kCmdImportSound, "hop.swf");
    through(kCmdImportSound, "hop.swf");
    const std::vector<RPageObject*> placed = objects(kTypeFlash);
    ASSERT_EQ(placed.size(), 2u);
    for (u32 code : {kMsgStopMedia, kMsgPlayLastPlaced}) {
        RMessage command(code, 0, 0);
        easel->Canvas()->HandleMessage(&command, 0);
    }
    EXPECT_FALSE(static_cast<FlashMovie*>(placed[0]->Media())->playing());
    EXPECT_TRUE(static_cast<FlashMovie*>(placed[1]->Media())->playing());
    EXPECT_EQ(static_cast<FlashMovie*>(placed[1]->Media())->currentFrame(), 0);
}

TEST_F(EaselPageMedia, AnAnimationPlaysMovesIsSavedOpensAgainAndFlattens) {
    const std::vector<u8> bytes = mediatest::animationBytes(4, k12Fps, 64, 48);
    writeFile(kFolderLibSounds, "hop.swf", bytes);
    through(kCmdImportSound, "hop.swf");
    EXPECT_TRUE(alerts().empty());
    ASSERT_EQ(objects(kTypeFlash).size(), 1u);
    RPageObject* hop = objects(kTypeFlash)[0];
    ASSERT_EQ(flash().count(), 1u);
    FlashMovie* movie = flash().movie(0);
    EXPECT_EQ(hop->Media(), movie);
    frames->SelectFrame(0);
    EXPECT_EQ(frames->EditedObject(), hop);
    const Rect16 shown = onScreen(hop->rect);
    const u64 first = PictureHash(shown);
    const Rect16 frame = frames->EditFrame()->GetRect();
    const Point16 play{i16(frame.left + kMediaButtonSize / 2), i16(frame.bottom + kMediaButtonSize / 2)};
    const Point16 step{i16(frame.right + kMediaButtonSize / 2), i16(frame.top + kMediaButtonSize / 2)};
    advance(83);
    EXPECT_EQ(movie->currentFrame(), 0) << "stands on its first frame until played";
    click(play);
    advance(83);
    EXPECT_EQ(movie->currentFrame(), 1);
    EXPECT_NE(PictureHash(shown), first) << "the next frame is on the screen";

    // The play button stops what plays, and plays it again from its start; step shows the next.
    click(play);
    EXPECT_FALSE(movie->playing());
    EXPECT_EQ(movie->currentFrame(), 0);
    click(step);
    EXPECT_EQ(movie->currentFrame(), 1);
    click(play);
    EXPECT_TRUE(movie->playing());
    EXPECT_EQ(movie->currentFrame(), 0);
    easel->StopAll();
    EXPECT_FALSE(movie->playing()) << "a command stops what the frame's button started";
    click(play);
    // Stopping the page stops what the frame's button started, and the button plays again.
    RMessage stopPage(kMsgStopMedia, 0, 0);
    easel->HandleMessage(&stopPage, 0);
    click(play);
    EXPECT_TRUE(movie->playing());
    // A copy pasted with Ctrl+V onto a page at its animation limit is refused in its own words.
    ASSERT_EQ(iniWriteString(&app->GetIniPath(), "PageObjectLimits", "SWFMax", "1"), kErrNone);
    easel->ReadPageObjectLimits();
    mainWindow->OnCommand(kCmdCopy);
    answerAlerts({kAlertAnswerOk});
    controlKey('V');
    const auto told = alerts();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].text, LookupLanguageText("GeneralStrings", "TooManyPageObjects").c_str());

    // A move takes the animation along.
    const PageRect before = hop->rect;
    drag(middleOf(before), {i16(middleOf(before).h + 30), i16(middleOf(before).v + 20)});
    EXPECT_EQ(hop->rect.left, before.left + 30);
    EXPECT_TRUE(rectEqual(movie->displayRect(), onScreen(hop->rect)));

    through(kCmdSave, "HOPS");
    RPageData reopened;
    ASSERT_EQ(reopened.OpenAndLoad(EnginePath(app->GetPaths()->GetPicturesDir() + "\\hops.tbx").get()), kErrNone);
    RPageObject* kept = nullptr;
    ASSERT_EQ(reopened.FindObject(kTypeFlash, hop->Id(), &kept), 0);
    EXPECT_EQ(kept->rect, hop->rect);
    EXPECT_EQ(static_cast<RMediaFilePageObject*>(kept)->media, bytes);

    mainWindow->OnCommand(kCmdNew);
    settle();
    EXPECT_EQ(flash().count(), 0u) << "a new page holds no animation";
    through(kCmdOpen, "hops.tbx");
    ASSERT_EQ(objects(kTypeFlash).size(), 1u);
    ASSERT_EQ(flash().count(), 1u);
    EXPECT_FALSE(flash().movie(0)->playing()) << "stands still as the page opens";

    const PageRect place = objects(kTypeFlash)[0]->rect;
    // Framed again, the first chosen, as move mode does after an open.
    frames->BuildObjectFrames(0);
    RMessage flatten(kMsgFlattenOne, kTypeFlash, 0);
    frames->HandleMessage(&flatten, 0);
    settle();
    EXPECT_TRUE(objects(kTypeFlash).empty());
    EXPECT_EQ(flash().count(), 0u) << "its player went with it";
    const PixelView& picture = easel->Canvas()->Picture();
    EXPECT_EQ(picture.At(place.left + 4, place.top + 4), rgb555(255, 0, 0)) << "the first frame merged";
    EXPECT_EQ(picture.At(place.left + 20, place.top + 4), rgb555(255, 255, 255));
}

// A page's own movie brought back (two pixels narrower and one lower than the canvas) plays
// where it lands without being chosen: no frame's edges and handles at the canvas's edges.
TEST_F(EaselPageMedia, APageSizedMovieLandsUnchosenLeavingTheCanvasEdgesClear) {
    const i16 width = i16(canvas.right - canvas.left), height = i16(canvas.bottom - canvas.top);
    writeFile(kFolderLibSounds, "page.swf", mediatest::animationBytes(1, k12Fps, i16(width - 2), i16(height - 1)));
    through(kCmdImportSound, "page.swf");
    ASSERT_EQ(objects(kTypeFlash).size(), 1u);
    EXPECT_EQ(frames->EditFrame(), nullptr);
    int dark = 0;
    const auto look = [&](i16 x, i16 y) {
        const u32 p = shownPixel({x, y});
        dark += (p >> 16 & 0xFF) < 64 && (p >> 8 & 0xFF) < 64 && (p & 0xFF) < 64;
    };
    for (i16 x = canvas.left; x < canvas.right; ++x) look(x, canvas.top), look(x, i16(canvas.bottom - 1));
    for (i16 y = canvas.top; y < canvas.bottom; ++y) look(canvas.left, y), look(i16(canvas.right - 1), y);
    EXPECT_EQ(dark, 0) << "dark pixels along the canvas's edges";
}

TEST_F(EaselPageMedia, AMoviePlaysWithItsSoundAndSteps) {
    const std::string path = plat::hostPathOfText(ImportStartFolder(*app->GetPaths(), kImportMovie)) + "/ball.mov";
    ASSERT_FALSE(mediatest::movieBytes(path).empty());
    through(kCmdAddMovie, "ball.mov");
    EXPECT_TRUE(alerts().empty());
    ASSERT_EQ(objects(kTypeMovie).size(), 1u);
    const RMovie& movies = easel->Canvas()->Media()->Movies();
    ASSERT_EQ(movies.count(), 1u);
    MovieObj* record = movies.record(0);
    EXPECT_FALSE(record->playing()) << "stands on its first picture until played";
    const Point16 middle = middleOf(objects(kTypeMovie)[0]->rect);
    const auto near = [](u32 p, u8 r, u8 b) { return std::abs(int(p >> 16) - r) < 40 && std::abs(int(p & 0xFF) - b) < 40; };
    advance(1200);
    EXPECT_TRUE(near(shownPixel(middle), 255, 0));
    RMessage play(kMsgPlayPage, 0, 0);
    easel->Canvas()->HandleMessage(&play, 0);
    advance(500);
    EXPECT_TRUE(near(shownPixel(middle), 255, 0));
    advance(700);
    EXPECT_TRUE(near(shownPixel(middle), 0, 255));
    // The easel's Stop stops it; its Play plays it from the start.
    RMessage stop(kMsgStopMedia, 0, 0);
    easel->Canvas()->HandleMessage(&stop, 0);
    EXPECT_FALSE(record->playing());
    easel->Canvas()->HandleMessage(&play, 0);
    advance(100);
    EXPECT_TRUE(near(shownPixel(middle), 255, 0));
}

TEST_F(EaselPageMedia, FilesWithoutAnAnimationOrAPictureAreFileErrorsAndAddNothing) {
    const std::vector<u8> good = mediatest::animationBytes(4, k12Fps, 64, 48);
    writeFile(kFolderLibSounds, "cut.swf", std::vector<u8>(good.begin(), good.begin() + long(good.size() / 2)));
    const std::string path = plat::hostPathOfText(ImportStartFolder(*app->GetPaths(), kImportMovie)) + "/hum.mov";
    ASSERT_FALSE(mediatest::movieBytes(path, false).empty());
    const struct {
        u16 command;
        const char* name;
    } cases[] = {{kCmdImportSound, "cut.swf"}, {kCmdAddMovie, "hum.mov"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        answerAlerts({kAlertAnswerOk});
        through(c.command, c.name);
        const std::vector<mfxAlertRecord> told = alerts();
        ASSERT_EQ(told.size(), 1u);
        EXPECT_NE(told[0].style & kAlertIconStop, 0u);
        EXPECT_TRUE(objects(kTypeFlash).empty());
        EXPECT_TRUE(objects(kTypeMovie).empty());
        EXPECT_EQ(flash().count() + easel->Canvas()->Media()->Movies().count(), 0u);
    }
}

}  // namespace
