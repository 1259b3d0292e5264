#pragma once
// The running program with "Maya" logged in, the media runtime connected, and a project of
// pages saved by our own page writer, each a picture of one colour with a text and a movable
// picture on it. The player is the real one; the picker stands in as an empty screen, so that
// "back in the picker" is the screen the program switched to.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "app/menus/MenuCommands.h"
#include "document/objects/RTextPageObject.h"
#include "document/project/RDocument.h"
#include "document/project/RPortfolio.h"
#include "document/storage/ObjectTypes.h"
#include "document/storage/PictureRecord.h"
#include "document/users/EnginePath.h"
#include "media/quicktime/QtConnection.h"
#include "screens/slideshow/RSlideShowCanvas.h"
#include "screens/slideshow/RSlideShowModule.h"
#include "screens/slideshow/RTransition.h"
#include "tests/app/harness/ScreenHarness.h"
#include "tests/document/pages/PageSamples.h"

namespace testscreens {

using namespace Ostrel;

struct SlideSpec {
    u16 number;
    u8 seconds;
    u8 mode;
    u8 red, green, blue;
};

class SlideShowHarness : public testapp::ScreenHarness {
protected:
    void SetUp() override {
        ScreenHarness::SetUp();
        qtSetSearchFolders({TUMBLO_TEST_PROGRAM_DIR});
        start(false, [](u32 code) -> std::unique_ptr<RModule> {
            if (code == kScreenSlideShow) return std::make_unique<RSlideShowModule>();
            if (code == kScreenPicker) return std::make_unique<RModule>();
            return nullptr;
        });
        logIn("Maya");
        settle();
        folder = std::filesystem::path(root_) / "slides";
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        ScreenHarness::TearDown();
        qtSetSearchFolders({});
    }
    static std::vector<u8> solid(u8 r, u8 g, u8 b) {
        PictureRecord picture{2, 2, {}, {}};
        for (int i = 0; i < 4; ++i) picture.pixels.insert(picture.pixels.end(), {r, g, b, 255});
        std::vector<u8> bytes;
        EXPECT_EQ(writePictureRecord(picture, false, &bytes), kErrNone);
        return bytes;
    }
    // The project of the slides, saved page by page and read back from the files.
    void makeProject(const std::vector<SlideSpec>& slides) {
        auto document = std::make_unique<RDocument>(nullptr);
        for (const SlideSpec& s : slides) {
            const std::string file = (folder / ("slide" + std::to_string(s.number) + ".tbx")).string();
            auto page = std::make_unique<RPage>(PageSettings{}, file, u16(s.number));
            page->SetTiming(s.seconds, s.mode);
            page->SetTransitionEffect(1);
            RPageData& data = page->Data();
            ASSERT_NE(data.AddObject(kTypeBitmap, kBackgroundId, solid(s.red, s.green, s.blue), {0, 0, 592, 444}), nullptr);
            ASSERT_NE(data.AddObject(kTypeText, 1, testdoc::textBytes("Slide " + std::to_string(s.number)), {20, 20, 200, 50}), nullptr);
            ASSERT_NE(data.AddObject(kTypeMovableBitmap, 2, testdoc::pictureBytes(40, 40, 250, true), {400, 300, 440, 340}), nullptr);
            const std::string engineFile = engineTextOfHostFolder(file);
            ASSERT_EQ(data.SaveToFile(EnginePath(engineFile).get()), kErrNone);
            page->SetFilePath(engineFile);
            page->ReleaseData();
            saved[s.number] = bytesOf(file);
            RPage* made = page.get();
            ASSERT_EQ(document->AppendPage(std::move(page)), kErrNone);
            if (made->Number() != s.number) {
                ASSERT_TRUE(document->MovePage(made->Number(), s.number));
            }
        }
        app->GetPortfolio()->SetDocument(std::move(document));
    }
    static std::vector<char> bytesOf(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    RSlideShowModule* player() const { return dynamic_cast<RSlideShowModule*>(app->GetCurrentModule()); }
    u16 shownNumber() const { return player() && player()->CurrentPage() ? player()->CurrentPage()->Number() : 0; }
    // Moves the clock on until the transition into the page has drawn its last step; the time
    // that took.
    u32 finishTransition() {
        u32 spent = 0;
        for (; spent <= 2 * kShowTransitionMillis && player() && player()->Canvas() && player()->Canvas()->InTransition();
             spent += kTransitionTick)
            advance(kTransitionTick);
        return spent;
    }
    static constexpr u32 kTransitionTick = 20;
    // The colour at the middle of the show rectangle.
    u32 middle() const {
        const Rect16 show = player()->ShowRect();
        const i16 x = i16((show.left + show.right) / 2), y = i16((show.top + show.bottom) / 2);
        const golden::RgbPicture p = Shown(Rect16{x, y, i16(x + 1), i16(y + 1)});
        return u32(p.rgb[0]) << 16 | u32(p.rgb[1]) << 8 | p.rgb[2];
    }
    void play(u16 first = 0) {
        ASSERT_TRUE(RSlideShowModule::Play(app->GetCurrentDocument(), first));
        settle();
        ASSERT_NE(player(), nullptr);
    }
    u16 popups() const { return mainWindow->Menu()->PopupCount(); }

    std::filesystem::path folder;
    std::map<u16, std::vector<char>> saved;
};

}  // namespace testscreens
