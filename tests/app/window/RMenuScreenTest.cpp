#include "app/window/RMenuScreen.h"

#include "app/menus/MenuCommands.h"
#include "framework/input/RInputObject.h"
#include "tests/app/window/WindowShellFixture.h"

namespace {

using namespace Ostrel;
using testapp::Log;

// A text panel that keeps what reaches it, the typed character of 251 included.
class PanelRecorder : public CListener {
public:
    u32 HandleMessage(RMessage* message, uintptr_t data) override {
        std::string entry = std::to_string(message->code);
        if (message->code == 251) entry += " " + std::string(reinterpret_cast<const char*>(data));
        heard.push_back(entry);
        return 0;
    }
    Log heard;
};

// An easel with a text panel and a canvas whose edit frame a click may miss.
class Easel : public testapp::RecordingScreen, public RMenuScreen {
public:
    Easel(Log* log, PanelRecorder* panel) : RecordingScreen(kScreenEasel, log), log_(log), panel_(panel) {}
    CListener* TextPanel() const override { return panel_; }
    bool DeselectMissedEditFrame(const Point16* click) override {
        log_->push_back(click ? "deselect at " + std::to_string(click->h) : "deselect");
        return click && click->h < 100;
    }

private:
    Log* log_;
    PanelRecorder* panel_;
};

class MenuTaker : public RInputObject {
public:
    explicit MenuTaker(Log* log) : log_(log) {}
    u32 HandleInput(u32, Point16 point, u32) override {
        log_->push_back("screen down " + std::to_string(point.h));
        return 1;
    }

private:
    Log* log_;
};

class MenuScreen : public testapp::WindowShellTest {
protected:
    void SetUp() override {
        WindowShellTest::SetUp();
        start(false, [this](u32 code) -> std::unique_ptr<RModule> {
            if (code == kScreenEasel) return std::make_unique<Easel>(&log, &panel);
            return std::make_unique<testapp::RecordingScreen>(code, &log);
        });
        logIn("Maya");
        log.clear();
    }
    PanelRecorder panel;
};

TEST_F(MenuScreen, TextCommandsAndSpecialCharactersReachTheTextPanel) {
    mainWindow->OnCommand(401);
    mainWindow->OnCommand(416);
    mainWindow->OnCommand(kCmdCheckSpelling);
    mainWindow->OnCommand(kCmdSayItThisWay);
    EXPECT_EQ(panel.heard, (Log{"251 \xBF", "251 \xD1", "6621", "6622"}));
    // Every command commits the canvas's edit first.
    EXPECT_EQ(std::count(log.begin(), log.end(), "deselect"), 4);
}

TEST_F(MenuScreen, AClickThatMissesTheEditFrameInTheCanvasEndsThere) {
    MenuTaker screen(&log);
    screen.Register(kInputMouseButtons);
    mainWindow->OnMouseDown(Point16{50, 5}, 0);
    mainWindow->OnMouseDown(Point16{150, 5}, 0);
    EXPECT_EQ(log, (Log{"deselect at 50", "deselect at 150", "screen down 150"}));
}

TEST_F(MenuScreen, TheLanguageSwitchTellsTheTextPanel) {
    mainWindow->OnCommand(kCmdSwitchLanguage);
    EXPECT_EQ(panel.heard, (Log{"6623"}));
}

}  // namespace
