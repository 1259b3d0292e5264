#include "app/module/RModule.h"

#include "framework/controls/LoadButtonsFromKVR.h"
#include "framework/input/RHotSpotItem.h"
#include "framework/input/RHotSpotList.h"
#include "framework/menus/mfxMenu.h"
#include "framework/windows/mfxQueries.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxFont.h"
#include <fstream>
#include "tests/app/application/ShellTestFixture.h"

namespace {

using namespace Ostrel;

class TipsWindow : public testapp::RecordingWindow {
public:
    using RecordingWindow::RecordingWindow;
    bool ToolTipsOn() const override { return tips; }
    bool tips = true;
};

// A screen with buttons of the given command ids and rectangles, as a screen's button set
// would make them.
class ButtonScreen : public RModule {
public:
    struct Button {
        u16 id;
        Rect16 rect;
    };
    explicit ButtonScreen(const std::vector<Button>& made) : list_(this) {
        std::vector<ButtonRecord> records;
        for (const Button& b : made) {
            ButtonRecord record;
            record.id = b.id;
            record.left = b.rect.left;
            record.top = b.rect.top;
            record.right = b.rect.right;
            record.bottom = b.rect.bottom;
            records.push_back(record);
        }
        buttons_ = MakeButtons(this, &list_, records, kButtonSpriteFlags);
    }
    ~ButtonScreen() override { buttons_.clear(); }

private:
    RHotSpotList list_;
};

class RModuleTest : public testapp::ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        log_.clear();
        ShellParts shell = parts(&log_);
        shell.mainWindow = [this](const std::string& title, const Rect16& rect) -> std::unique_ptr<RShellWindow> {
            auto made = std::make_unique<TipsWindow>(title, rect);
            tipsWindow_ = made.get();
            return made;
        };
        application_ = std::make_unique<RApplication>();
        application_->SetShellParts(shell);
        ASSERT_EQ(application_->Startup(0, {}), 0);
    }
    void TearDown() override {
        if (application_) application_->ExitInstance();
        application_.reset();
        ShellTest::TearDown();
    }
    // The screen as the application hands it over, its tool-tip look read.
    std::unique_ptr<ButtonScreen> screen(const std::vector<ButtonScreen::Button>& buttons) {
        auto made = std::make_unique<ButtonScreen>(buttons);
        made->SetShell(ModuleShell{application_->GetPaths(), tipsWindow_, application_->GetScreenRect()});
        made->LoadToolTipMetrics();
        return made;
    }

    std::vector<std::string> log_;
    std::unique_ptr<RApplication> application_;
    TipsWindow* tipsWindow_ = nullptr;
};

TEST_F(RModuleTest, FindButtonByIdGivesTheFirstMatchAndMinusOneWithoutButtonsOrMatch) {
    struct Case {
        std::vector<u16> ids;
        u16 wanted;
        i32 index;
    };
    const Case cases[] = {
        {{}, 0, -1}, {{}, 7, -1}, {{7, 9, 7}, 7, 0}, {{7, 9, 7}, 9, 1}, {{7, 9, 7}, 8, -1},
    };
    for (const Case& c : cases) {
        std::vector<ButtonScreen::Button> buttons;
        for (u16 id : c.ids) buttons.push_back({id, Rect16{10, 10, 50, 40}});
        EXPECT_EQ(screen(buttons)->FindButtonById(c.wanted), c.index) << c.ids.size() << " buttons, id " << c.wanted;
    }
}

TEST_F(RModuleTest, TheTipHangsUnderItsButtonOrAboveItAndStaysInsideTheAreaAboveTheMenuBar) {
    struct Case {
        const char* what;
        Rect16 button;
        bool menu;
        // The expected left and bottom; -1: right under the button.
        i16 left;
        i16 bottom;
    };
    const Case cases[] = {
        {"middle", {100, 100, 140, 130}, false, 100, -1},
        // At the foot the tip goes above its button rather than over it.
        {"bottom edge, no menu bar", {100, 570, 140, 598}, false, 100, 569},
        {"bottom edge, under a menu bar", {100, 570, 140, 598}, true, 100, 569},
        {"one line above the limit", {100, 500, 140, 520}, true, 100, -1},
    };
    mfxMenu menu;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        tipsWindow_->SetMenu(c.menu ? &menu : nullptr);
        ASSERT_EQ(mfxGetMenuBarHeight(), c.menu ? kMfxMenuBarHeight : 0);
        auto tips = screen({{232, c.button}});
        EXPECT_EQ(tips->ShowToolTip(232, "Draw"), 0);
        ASSERT_TRUE(tips->ToolTipShowing());
        EXPECT_STREQ(tips->ToolTipText(), "Pencils");
        const Rect16 tip = tips->ToolTipRect();
        EXPECT_GT(tip.right - tip.left, 0);
        EXPECT_GT(tip.bottom - tip.top, 2);
        EXPECT_EQ(tip.left, c.left);
        if (c.bottom < 0)
            EXPECT_EQ(tip.top, c.button.bottom + 1);
        else
            EXPECT_EQ(tip.bottom, c.bottom);
    }
    // A tip wider than the room right of its button moves left to the screen's edge.
    auto edge = screen({{232, Rect16{790, 100, 800, 130}}});
    edge->ShowToolTip(232, "Draw");
    EXPECT_EQ(edge->ToolTipRect().right, 800);
    tipsWindow_->SetMenu(nullptr);
}

TEST_F(RModuleTest, TwoCallsShowThenHideTheTipAndSwitchedOffTipsNeverShow) {
    auto tips = screen({{232, Rect16{100, 100, 140, 130}}});
    tips->ShowToolTip(232, "Draw");
    EXPECT_TRUE(tips->ToolTipShowing());
    tips->ShowToolTip(232, "Draw");
    EXPECT_FALSE(tips->ToolTipShowing());
    tips->ShowToolTip(232, "Draw");
    EXPECT_TRUE(tips->ToolTipShowing());
    // The screen takes a showing tip's sprite with it.
    tips.reset();

    tipsWindow_->tips = false;
    auto off = screen({{232, Rect16{100, 100, 140, 130}}});
    off->ShowToolTip(232, "Draw");
    EXPECT_FALSE(off->ToolTipShowing());
    // A button that is not there shows nothing either.
    tipsWindow_->tips = true;
    off->ShowToolTip(999, "Draw");
    EXPECT_FALSE(off->ToolTipShowing());
}

// The height of a tip in a font of that size (0: the font's own size): a whole line, the
// letters' ascent and the tails below it, and two pixels.
i16 tipHeightAt(i32 size) {
    GfxFont* font = gfxNewFont("DejaVu Sans", u16(size), 0);
    GfxFont* previous = gfxSetFont(font);
    GfxFontInfo info{};
    gfxGetFontInfo(&info);
    gfxSetFont(previous);
    gfxDisposeFont(font);
    return i16(info.values[4] + info.values[1] + 2);
}

// The tip's size comes from the writable settings; one no line of text could have is read as
// missing, so the tip keeps a sensible size and stays on the screen.
TEST_F(RModuleTest, ATipFontSizeOutsideItsRangeIsReadAsMissing) {
    struct Case {
        const char* size;
        i32 used;
    };
    const Case cases[] = {{"14", 14}, {"1", 1}, {"72", 72}, {"73", 0}, {"0", 0}, {"-5", 0}, {"100000", 0}, {"big", 0}};
    const std::string ini = root_ + "/config/tumblo4/TB.ini";
    std::string installed;
    {
        std::ifstream in(ini, std::ios::binary);
        installed.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const size_t key = installed.find("FontSize=", installed.find("[ToolTipMetrics]"));
    ASSERT_NE(key, std::string::npos);
    const size_t end = installed.find_first_of("\r\n", key);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        // The settings are read afresh by a new start.
        application_->ExitInstance();
        std::ofstream(ini, std::ios::binary | std::ios::trunc) << installed.substr(0, key) << "FontSize=" << c.size
                                                              << installed.substr(end);
        ASSERT_EQ(application_->Startup(0, {}), 0);
        auto tips = screen({{232, Rect16{100, 100, 140, 130}}});
        tips->ShowToolTip(232, "Draw");
        ASSERT_TRUE(tips->ToolTipShowing());
        const Rect16 tip = tips->ToolTipRect();
        EXPECT_EQ(tip.bottom - tip.top, tipHeightAt(c.used));
        EXPECT_EQ(tip.left, 100);
        EXPECT_EQ(tip.top, 131);
    }
}

}  // namespace
