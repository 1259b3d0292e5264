#pragma once
// The program started whole over the content set on a fake clock, and the input a child gives
// (keys and mouse messages to the main window): the session tests' fixture. Animations that
// play to the end before they answer move the clock on to each step they wait for.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "app/application/RApplication.h"
#include "shell/ScreenTable.h"
#include "app/menus/MenuCommands.h"
#include "document/pages/RPage.h"
#include "engine/gfx/sprites/PlayAnimation.h"
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

namespace testshell {

using namespace Ostrel;
namespace fs = std::filesystem;

constexpr u8 kVkReturn = 0x0D;
constexpr u8 kVkShift = 0x10;
constexpr u8 kVkControl = 0x11;
constexpr u8 kVkSpace = 0x20;

// The framework's loop task: the application's idle step and a tick on every window.
inline void idleTask(osmIntervalTask*, void*) {
    if (mfxApplication* application = mfxApplication::Get()) application->OnIdle();
    const u32 now = plat::clockMillis();
    for (mfxWindow* window : mfxWindow::Windows()) window->OnTick(now);
}

class SessionFixture : public testapp::ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        mfxTakeAlertRecords();
        // Dialogs play their opening animations to the end before they answer: each wait of
        // an animation moves the clock on to the step it waits for, as time would.
        gClock = &clock_.clock();
        sprSetAnimationWait(waitByMovingTheClock);
    }
    void TearDown() override {
        if (application_) application_->ExitInstance();
        application_.reset();
        sprSetAnimationWait(nullptr);
        gClock = nullptr;
        ShellTest::TearDown();
    }
    static void waitByMovingTheClock(u32 due) {
        const u32 now = gClock->millis();
        if (i32(due - now) > 0) gClock->advance(due - now);
    }
    static inline plat::FakeClock* gClock = nullptr;

    // `arguments` as the command line gives them.
    void start(const std::vector<std::string>& arguments = {}) {
        ShellParts shell = ProgramShellParts();
        shell.roots = parts(nullptr).roots;
        application_ = std::make_unique<RApplication>();
        application_->SetShellParts(shell);
        const mfxCommandLine line = mfxParseCommandLine(arguments);
        ASSERT_NE(application_->InitInstance(0, line.options, line.document), 0u);
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
        // A point of the program's picture, which lies below the window's menu band.
        event.position = plat::gdi::Point{at.h, at.v + application_->GetMainWindow()->ContentTop()};
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
    // Whether the screen shows a picture at all: more than one colour.
    bool showsAPicture() const {
        const std::vector<u32> pixels = shown();
        for (u32 pixel : pixels)
            if (pixel != pixels.front()) return true;
        return false;
    }
    // The screen's pixels but the canvas's (which shows the painting, not texts).
    std::vector<u32> outsideCanvas(const std::vector<u32>& pixels) const {
        const Rect16 canvas = easel()->Canvas()->CanvasRect();
        const i32 width = application_->GetMainWindow()->GetFace()->surface().width();
        std::vector<u32> kept;
        for (size_t i = 0; i < pixels.size(); ++i) {
            const Point16 p{i16(i32(i) % width), i16(i32(i) / width - application_->GetMainWindow()->ContentTop())};
            if (!rectContainsPoint(canvas, p)) kept.push_back(pixels[i]);
        }
        return kept;
    }
    // Writes what the screen shows as a picture file for review, into the build tree.
    void keepScreenshot(const std::string& name) const {
        writePicture(name, shown(), application_->GetMainWindow()->GetFace()->surface().width());
    }
    // 0x00RRGGBB words, row by row, as <artifacts>/<name>.ppm.
    static void writePicture(const std::string& name, const std::vector<u32>& pixels, i32 width) {
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

    plat::ScopedFakeClock clock_{1000};
    std::unique_ptr<RApplication> application_;
    int quitCode_ = -1;
};

}  // namespace testshell
