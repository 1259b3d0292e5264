#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "SdlOnXvfb.h"
#include "tests/xserver/XFakeInput.h"
#include "tests/xserver/XScreenshot.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/menus/mfxMenuBar.h"
#include "framework/windows/mfxDisplayWindow.h"
#include "platform/display/DisplayWindow.h"
#include "platform/display/choice/DisplayChoice.h"
#include "platform/keyboard/KeyboardState.h"
#include "platform/ui/MessageQueue.h"
#include "platform/widgets/WidgetPaint.h"
#include "tests/framework/format/FormatSamples.h"

namespace {

constexpr int32_t kMenuShotWidth = 400;
constexpr int32_t kMenuShotHeight = 300;

class MenuWindow : public mfxDisplayWindow {
public:
    MenuWindow() : mfxDisplayWindow("Tumblo", Rect16{0, 0, kMenuShotWidth, kMenuShotHeight}) {}
    u32 OnMouseUp(Point16, u32) override {
        ++mouseUps;
        return 1;
    }
    int mouseUps = 0;
};

// Ends a modal loop that waits for input which never comes: posts the quit message to the
// test's thread after a while, unless told that the wait is over.
class Watchdog {
public:
    explicit Watchdog(std::chrono::seconds limit) : thread_([this, limit, ui = std::this_thread::get_id()] {
        std::unique_lock lock(mutex_);
        if (!done_.wait_for(lock, limit, [this] { return over_; })) {
            fired_ = true;
            plat::postThreadMessage(ui, plat::kMsgQuit, 0, 0);
        }
    }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(mutex_);
            over_ = true;
        }
        done_.notify_one();
        thread_.join();
    }
    bool fired() const { return fired_; }

private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool over_ = false;
    std::atomic<bool> fired_{false};
    std::thread thread_;
};

class MenuScreenshot : public SdlOnXvfb {
protected:
    void SetUp() override {
        SdlOnXvfb::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        plat::keyboardState() = plat::KeyboardState{};
        window = std::make_unique<MenuWindow>();
        ASSERT_NE(window->GetFace(), nullptr);
        menu.SetFromResource(testfmt::sampleMenu());
        window->SetMenu(&menu);
        window->GetMenuBar()->Draw();
    }
    void TearDown() override {
        window.reset();
        plat::Message m;
        while (plat::peekMessage(m, true)) {
        }
        plat::keyboardState() = plat::KeyboardState{};
        SdlOnXvfb::TearDown();
    }

    // Runs the window's messages as the program's loop does until `done` holds; bounded.
    template <typename Done>
    bool runUntil(Done done) {
        for (int round = 0; round < 50 && !done(); ++round) {
            sdl_->pumpEvents();
            plat::Message m;
            while (plat::peekMessage(m, true)) {
                if (!window->PreTranslateMessage(m)) plat::dispatchMessage(m);
            }
            if (!done()) sdl_->waitForInput(100);
        }
        return done();
    }

    std::vector<uint32_t> screenshot() {
        const plat::gdi::Point origin = window->GetFace()->clientOrigin();
        return takeXScreenshot(server_.display(), origin.x, origin.y, kMenuShotWidth, kMenuShotHeight);
    }
    static uint32_t at(const std::vector<uint32_t>& shot, plat::gdi::Point p) { return shot[size_t(p.y * kMenuShotWidth + p.x)]; }
    // The pixels of the box that differ from the face colour: text and marks drawn there.
    static int inked(const std::vector<uint32_t>& shot, const plat::gdi::Rect& box) {
        int count = 0;
        for (int32_t y = box.top; y < box.bottom; ++y)
            for (int32_t x = box.left; x < box.right; ++x) count += at(shot, {x, y}) == 0;
        return count;
    }
    // Where the screen and the window's surface disagree.
    int differences(const std::vector<uint32_t>& shot) {
        int wrong = 0;
        const plat::gdi::Surface& surface = window->GetFace()->surface();
        for (int32_t y = 0; y < kMenuShotHeight; ++y)
            for (int32_t x = 0; x < kMenuShotWidth; ++x) wrong += at(shot, {x, y}) != surface.pixel(x, y);
        return wrong;
    }

    mfxMenu menu;
    std::unique_ptr<MenuWindow> window;
};

TEST_F(MenuScreenshot, TheBarAndAnOpenMenuShowTheirItems) {
    const plat::widgets::MenuBar& bar = window->GetMenuBar()->Widget();
    std::vector<uint32_t> shot = screenshot();
    ASSERT_EQ(shot.size(), size_t(kMenuShotWidth * kMenuShotHeight)) << "the screen could not be read";
    EXPECT_EQ(at(shot, {kMenuShotWidth - 5, 5}), 0xD4D0C8u) << "the bar runs the window's width";
    EXPECT_GT(inked(shot, bar.titleRect(0)), 10) << "the title File is written";
    EXPECT_GT(inked(shot, bar.titleRect(1)), 10) << "the title Edit is written";

    const plat::gdi::Rect edit = bar.titleRect(1);
    const plat::gdi::Point origin = window->GetFace()->clientOrigin();
    ASSERT_TRUE(fakeClickAndFocus(server_.display(), origin.x + (edit.left + edit.right) / 2, origin.y + 10));
    ASSERT_TRUE(runUntil([&] { return bar.openTitle() == 1; })) << "the click opened Edit";
    ASSERT_TRUE(fakeKey(server_.display(), "Down", false));
    ASSERT_TRUE(runUntil([&] { return bar.highlightedItem() == 0; }));

    shot = screenshot();
    EXPECT_EQ(differences(shot), 0) << "the screen shows the window's surface";
    const plat::gdi::Rect undo = bar.itemRect(0, 0);
    const plat::gdi::Rect paste = bar.itemRect(0, 1);
    EXPECT_EQ(at(shot, {undo.left + 2, undo.top + 1}), 0x0A246Au) << "Undo is highlighted";
    const plat::gdi::Rect accel{undo.right - 70, undo.top, undo.right, undo.bottom};
    int light = 0;
    for (int32_t y = accel.top; y < accel.bottom; ++y)
        for (int32_t x = accel.left; x < accel.right; ++x) light += at(shot, {x, y}) == 0xFFFFFFu;
    EXPECT_GT(light, 10) << "the accelerator Ctrl+Z is written at the right";
    int gray = 0;
    for (int32_t y = paste.top; y < paste.bottom; ++y)
        for (int32_t x = paste.left; x < paste.right; ++x) gray += at(shot, {x, y}) == 0x808080u;
    EXPECT_GT(gray, 10) << "Paste is written grayed";
    const plat::gdi::Rect chars = bar.itemRect(0, 2);
    EXPECT_GT(inked(shot, {chars.right - 16, chars.top, chars.right, chars.bottom}), 2) << "the submenu's arrow";
}

TEST_F(MenuScreenshot, AnAlertShowsItsCaptionIconTextAndButton) {
    // A green window, so that black on the screen is what the alert wrote.
    plat::DisplayWindow& face = *window->GetFace();
    auto dc = plat::gdi::DeviceContext::createForSurface(plat::gdi::ContextKind::Window, face.surface());
    plat::widgets::fillBox(*dc, {0, mfxMenuBarHeight, kMenuShotWidth, kMenuShotHeight}, plat::gdi::rgbColor(0, 160, 0));
    face.present(face.clientRect());
    const plat::gdi::Point origin = face.clientOrigin();
    ASSERT_TRUE(fakeClickAndFocus(server_.display(), origin.x + kMenuShotWidth / 2, origin.y + kMenuShotHeight - 10));
    ASSERT_TRUE(runUntil([&] { return window->mouseUps == 1; }));
    ASSERT_TRUE(fakeKey(server_.display(), "Return", false));
    u32 answer = 0;
    {
        Watchdog watchdog(std::chrono::seconds(10));
        answer = mfxAlert(kAlertOk | kAlertIconStop, "The picture could not be saved.");
        ASSERT_FALSE(watchdog.fired()) << "Enter never reached the alert";
    }
    EXPECT_EQ(answer, kAlertAnswerOk);

    // The alert's last picture stays on the screen until the window paints again.
    const std::vector<uint32_t> shot = screenshot();
    ASSERT_EQ(shot.size(), size_t(kMenuShotWidth * kMenuShotHeight));
    int red = 0, caption = 0, ink = 0, light = 0;
    for (size_t i = size_t(kMenuShotWidth * mfxMenuBarHeight); i < shot.size(); ++i) {
        const uint32_t pixel = shot[i];
        red += pixel == 0xC80000u;
        caption += pixel == 0x0A246Au;
        ink += pixel == 0;
        light += pixel == 0xFFFFFFu;
    }
    EXPECT_GT(red, 200) << "the stop icon";
    EXPECT_GT(caption, 1000) << "the caption bar";
    EXPECT_GT(light, 100) << "the caption's text, the icon's mark and the button's lit edges";
    EXPECT_GT(ink, 100) << "the message and the button's label";
}

}  // namespace
