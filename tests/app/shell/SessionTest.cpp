// A child's whole first session through the program's own parts, driven only by the input a
// child gives (keys and mouse messages posted to the main window) on a fake clock: the splash,
// the login with a typed name, the easel with its pencil panel, painting, saving with Ctrl+S,
// reopening the picture, and quitting with unsaved work.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "app/application/RApplication.h"
#include "app/shell/ScreenTable.h"
#include "app/window/MenuCommands.h"
#include "document/pages/RPage.h"
#include "engine/os/OsIntervalTasks.h"
#include "framework/app/mfxMain.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/language/LanguageTexts.h"
#include "framework/windows/mfxWindow.h"
#include "panels/pencil/RPencilPanel.h"
#include "platform/clock/Clock.h"
#include "platform/display/DisplayDriver.h"
#include "platform/display/choice/DisplayChoice.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/ui/MessageQueue.h"
#include "screens/easel/RCanvas.h"
#include "screens/easel/REasel.h"
#include "tests/app/application/ShellTestFixture.h"

namespace {

using namespace Ostrel;
namespace fs = std::filesystem;

constexpr u8 kVkReturn = 0x0D;
constexpr u8 kVkShift = 0x10;
constexpr u8 kVkControl = 0x11;
constexpr u8 kVkSpace = 0x20;

// The framework's loop task: the application's idle step and a tick on every window.
void idleTask(osmIntervalTask*, void*) {
    if (mfxApplication* application = mfxApplication::Get()) application->OnIdle();
    const u32 now = plat::clockMillis();
    for (mfxWindow* window : mfxWindow::Windows()) window->OnTick(now);
}

class SessionTest : public testapp::ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        mfxTakeAlertRecords();
        // Dialogs play their opening animations to the end before they answer: the clock has
        // to move on while the interface thread waits for it, as a real one would.
        ticker_ = std::jthread([this](std::stop_token stop) {
            while (!stop.stop_requested()) {
                clock_.advance(1);
                std::this_thread::sleep_for(std::chrono::microseconds(100));
            }
        });
    }
    void TearDown() override {
        if (application_) application_->ExitInstance();
        application_.reset();
        ticker_.request_stop();
        ticker_.join();
        ShellTest::TearDown();
    }

    void start() {
        ShellParts shell = ProgramShellParts();
        shell.roots = parts(nullptr).roots;
        application_ = std::make_unique<RApplication>();
        application_->SetShellParts(shell);
        ASSERT_EQ(application_->Startup(0, {}), 0);
        ASSERT_NE(osmCreateIntervalTask(idleTask, nullptr, kOsmEveryDispatch), nullptr);
    }
    plat::WindowHandle window() const { return application_->GetMainWindow()->GetHandle(); }

    // One frame of the loop: the clock moves on, the loop takes every waiting message.
    void frame(u32 ms = 16) {
        clock_.advance(ms);
        for (int taken = 0; taken < 10000; ++taken) {
            plat::displayDriver().pumpEvents();
            bool quit = false;
            int code = 0;
            if (!mfxPumpOneMessage(&quit, &code)) break;
            if (quit) quitCode_ = code;
        }
    }
    void frames(int count) {
        for (int i = 0; i < count; ++i) frame();
    }
    void post(u32 message, uintptr_t wParam) { ASSERT_TRUE(plat::postMessage(window(), message, wParam, 0)); }
    // Input as the user gives it: the headless display delivers it to the window in order
    // when the loop (or a dialog's own loop) next looks for events.
    void script(plat::InputEvent::Kind kind, u8 key, Point16 at = {}) {
        auto* display = dynamic_cast<plat::HeadlessDisplay*>(&plat::displayDriver());
        ASSERT_NE(display, nullptr);
        plat::InputEvent event;
        event.kind = kind;
        event.virtualKey = key;
        event.position = plat::gdi::Point{at.h, at.v};
        display->script(window(), event);
    }
    void key(u8 virtualKey) {
        script(plat::InputEvent::Kind::KeyDown, virtualKey);
        script(plat::InputEvent::Kind::KeyUp, virtualKey);
    }
    void press(u8 virtualKey) {
        key(virtualKey);
        frame();
    }
    void type(const std::string& text) {
        keys(text);
        frame();
    }
    void keys(const std::string& text) {
        for (char c : text) {
            const bool capital = std::isupper(u8(c)) != 0;
            if (capital) script(plat::InputEvent::Kind::KeyDown, kVkShift);
            key(u8(std::toupper(u8(c))));
            if (capital) script(plat::InputEvent::Kind::KeyUp, kVkShift);
        }
    }
    void ctrl(u8 virtualKey) {
        script(plat::InputEvent::Kind::KeyDown, kVkControl);
        key(virtualKey);
        script(plat::InputEvent::Kind::KeyUp, kVkControl);
    }
    void click(Point16 p) {
        script(plat::InputEvent::Kind::MouseMove, 0, p);
        script(plat::InputEvent::Kind::MouseDown, 0, p);
        script(plat::InputEvent::Kind::MouseUp, 0, p);
        frames(2);
    }
    void drag(Point16 from, Point16 to, int steps) {
        script(plat::InputEvent::Kind::MouseMove, 0, from);
        script(plat::InputEvent::Kind::MouseDown, 0, from);
        frame();
        for (int i = 1; i <= steps; ++i) {
            script(plat::InputEvent::Kind::MouseMove, 0,
                   Point16{i16(from.h + (to.h - from.h) * i / steps), i16(from.v + (to.v - from.v) * i / steps)});
            frame();
        }
        script(plat::InputEvent::Kind::MouseUp, 0, to);
        frames(2);
    }
    static Point16 centre(const Rect16& r) { return Point16{i16((r.left + r.right) / 2), i16((r.top + r.bottom) / 2)}; }
    REasel* easel() const { return dynamic_cast<REasel*>(application_->GetCurrentModule()); }

    // The canvas's picture row through the stroke, as the page holds it.
    std::vector<u16> strokeRow() const {
        const PixelView& picture = easel()->Canvas()->Picture();
        const i32 y = picture.height / 2;
        return std::vector<u16>(picture.Row(y), picture.Row(y) + picture.width);
    }
    // What the screen shows of the main window's client area.
    std::vector<u32> shown() const {
        auto* face = dynamic_cast<plat::HeadlessWindow*>(application_->GetMainWindow()->GetFace());
        std::vector<u32> pixels;
        if (!face) return pixels;
        for (i32 y = 0; y < face->surface().height(); ++y)
            for (i32 x = 0; x < face->surface().width(); ++x) pixels.push_back(face->shownPixel(x, y));
        return pixels;
    }
    // The screen's pixels but the canvas's (which shows the painting, not texts).
    std::vector<u32> outsideCanvas(const std::vector<u32>& pixels) const {
        const Rect16 canvas = easel()->Canvas()->CanvasRect();
        const i32 width = application_->GetMainWindow()->GetFace()->surface().width();
        std::vector<u32> kept;
        for (size_t i = 0; i < pixels.size(); ++i) {
            const Point16 p{i16(i32(i) % width), i16(i32(i) / width)};
            if (!rectContainsPoint(canvas, p)) kept.push_back(pixels[i]);
        }
        return kept;
    }
    // Writes what the screen shows as a picture file for review, into the build tree.
    void keepScreenshot(const std::string& name) const {
        const std::vector<u32> pixels = shown();
        const i32 width = application_->GetMainWindow()->GetFace()->surface().width();
        const i32 height = width ? i32(pixels.size()) / width : 0;
        fs::create_directories(TUMBLO_TEST_ARTIFACT_DIR);
        std::ofstream out(fs::path(TUMBLO_TEST_ARTIFACT_DIR) / (name + ".ppm"), std::ios::binary | std::ios::trunc);
        out << "P6\n" << width << " " << height << "\n255\n";
        for (u32 pixel : pixels) {
            const char rgb[3] = {char((pixel >> 16) & 0xFF), char((pixel >> 8) & 0xFF), char(pixel & 0xFF)};
            out.write(rgb, 3);
        }
    }
    fs::path pictures(const std::string& user) const { return fs::path(root_) / "data/tumblo4/Users" / user / "Pictures"; }
    std::vector<fs::path> savedPictures(const std::string& user) const {
        std::vector<fs::path> found;
        if (!fs::exists(pictures(user))) return found;
        for (const fs::directory_entry& entry : fs::directory_iterator(pictures(user)))
            if (entry.path().extension() == ".tbx") found.push_back(entry.path());
        return found;
    }

    void loginAndPaint(std::vector<u16>* before, std::vector<u16>* painted);

    plat::ScopedFakeClock clock_{1000};
    std::unique_ptr<RApplication> application_;
    int quitCode_ = -1;
    std::jthread ticker_;
};

// The splash, a key, the login with a typed name, the easel with the pencils, the biggest size
// clicked and a drag across the canvas's middle: the row through the stroke before and after.
void SessionTest::loginAndPaint(std::vector<u16>* before, std::vector<u16>* painted) {
    start();
    ASSERT_EQ(application_->GetCurrentModuleCode(), kScreenSplash);
    frames(2);
    keepScreenshot("splash");

    press(kVkSpace);
    frames(5);
    ASSERT_TRUE(application_->IsLoginOpen());
    keepScreenshot("login");

    type("Maya");
    press(kVkReturn);
    frames(5);
    ASSERT_FALSE(application_->IsLoginOpen());
    ASSERT_TRUE(application_->IsUserLoggedIn());
    EXPECT_EQ(application_->GetPaths()->UserName(), "Maya");
    EXPECT_TRUE(fs::is_directory(pictures("Maya")));
    ASSERT_EQ(application_->GetCurrentModuleCode(), kScreenEasel);
    ASSERT_NE(easel(), nullptr);
    auto* pencils = dynamic_cast<RPencilPanel*>(easel()->CurrentPanel());
    ASSERT_NE(pencils, nullptr);
    ASSERT_NE(easel()->Canvas(), nullptr);
    keepScreenshot("easel");

    const RButtonSet& sizes = pencils->SizeButtons();
    ASSERT_EQ(sizes.size(), size_t(kPencilSizeCount));
    ASSERT_NE(sizes.back()->GetHotSpot(), nullptr);
    click(centre(sizes.back()->GetHotSpot()->GetRect()));
    EXPECT_EQ(pencils->GetSizeIndex(), kPencilSizeCount - 1);

    *before = strokeRow();
    const Point16 middle = centre(easel()->Canvas()->CanvasRect());
    drag(Point16{i16(middle.h - 100), middle.v}, Point16{i16(middle.h + 100), middle.v}, 10);
    *painted = strokeRow();
    ASSERT_NE(*painted, *before) << "the drag left the canvas as it was";
    ASSERT_NE(application_->GetCurrentPage(), nullptr);
    EXPECT_TRUE(application_->GetCurrentPage()->Data().IsDirty());
}

TEST_F(SessionTest, APaintedPictureSavesWithCtrlSAndReopensWithTheSamePixels) {
    std::vector<u16> before, painted;
    ASSERT_NO_FATAL_FAILURE(loginAndPaint(&before, &painted));

    // The save dialog takes the name typed into it and Return.
    ctrl('S');
    keys("cat");
    key(kVkReturn);
    frames(3);
    const std::vector<fs::path> saved = savedPictures("Maya");
    ASSERT_EQ(saved.size(), 1u) << "Ctrl+S saved no picture";
    EXPECT_EQ(saved.front().filename(), "cat.tbx");
    EXPECT_FALSE(application_->GetCurrentPage()->Data().IsDirty());

    // Paint that was never saved goes when the saved picture is opened again.
    const Point16 middle = centre(easel()->Canvas()->CanvasRect());
    drag(Point16{middle.h, i16(middle.v - 80)}, Point16{middle.h, i16(middle.v + 80)}, 8);
    ASSERT_NE(strokeRow(), painted);
    ASSERT_TRUE(easel()->OpenPicture(saved.front().string()));
    frames(2);
    EXPECT_EQ(strokeRow(), painted);
}

TEST_F(SessionTest, ExitWithUnsavedPaintAsksInsteadOfQuitting) {
    std::vector<u16> before, painted;
    ASSERT_NO_FATAL_FAILURE(loginAndPaint(&before, &painted));
    ctrl('Q');
    frames(3);
    EXPECT_FALSE(application_->IsQuitting());
    EXPECT_NE(easel()->WarningDialog(), nullptr) << "the program did not ask about the unsaved picture";
    EXPECT_TRUE(savedPictures("Maya").empty());
}

TEST_F(SessionTest, SwitchingToSpanishAndBackRedrawsTheEaselsTexts) {
    std::vector<u16> before, painted;
    ASSERT_NO_FATAL_FAILURE(loginAndPaint(&before, &painted));
    frames(3);
    const std::vector<u32> english = shown();
    keepScreenshot("easel-english");
    ASSERT_FALSE(english.empty());
    // The Controls menu's language item, as the menu bar sends it.
    post(plat::kMsgCommand, kCmdSwitchLanguage);
    frames(3);
    EXPECT_EQ(CurrentLanguage(), kLanguageSpanish);
    const std::vector<u32> spanish = shown();
    keepScreenshot("easel-spanish");
    EXPECT_TRUE(spanish != english) << "nothing on the screen changed with the language";
    post(plat::kMsgCommand, kCmdSwitchLanguage);
    frames(3);
    EXPECT_EQ(CurrentLanguage(), kLanguageEnglish);
    keepScreenshot("easel-english-again");
    // Back in English every text is as it was; the painting is untouched by either switch.
    EXPECT_TRUE(outsideCanvas(shown()) == outsideCanvas(english))
        << "the screen outside the canvas differs from before the switches (artifacts easel-english*.ppm)";
    EXPECT_EQ(strokeRow(), painted);
}

}  // namespace
