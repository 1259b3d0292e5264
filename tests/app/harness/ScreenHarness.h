#pragma once
// The headless screen-test harness: the program started over the content set in scratch XDG
// folders with its own main window (tests/app/window/WindowShellFixture.h), on a fake clock
// and a headless display of the harness's own, so that a test can
// - log a user in and switch screens (logIn, app->SwitchModule),
// - script the mouse, the keyboard and typed text through the platform's input road (click,
//   key, type) and let the program deliver it, its queued messages and the window's tick
//   (settle, advance),
//   points given in the program's picture, whose top-left lies below the window's menu band,
// - check the offscreen picture (PictureHash within a run; ExpectPicture against a golden
//   picture, block by block with a tolerance, writing the actual picture when it differs),
// - answer alerts by script and read what they said (answerAlerts, alerts),
// - record what an owner hears (RecordingOwner) and reopen written files (readFile).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "app/menus/RMenuOwner.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "framework/app/mfxMain.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/messaging/CListener.h"
#include "platform/clock/Clock.h"
#include "platform/display/choice/DisplayChoice.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "tests/GoldenPicture.h"
#include "tests/app/window/WindowShellFixture.h"

namespace testapp {

// An owner of dialogs under test: writes down every message it hears, and is a menu owner
// like the screens, so that its dialogs hand the menus back when they go.
class RecordingOwner : public CListener, public Ostrel::RMenuOwner {
public:
    u32 HandleMessage(Ostrel::RMessage* message, uintptr_t) override {
        heard.push_back(*message);
        if (onMessage) onMessage(*message);
        return 0;
    }
    // The codes heard, in order.
    std::vector<u32> codes() const {
        std::vector<u32> out;
        for (const Ostrel::RMessage& m : heard) out.push_back(m.code);
        return out;
    }
    std::vector<Ostrel::RMessage> heard;
    std::function<void(const Ostrel::RMessage&)> onMessage;
};

// The harness's headless display: `whilePumped` runs after each pump of its events, also from
// inside a modal loop (an alert's, a dialog's), where the test cannot settle from outside.
class HarnessDisplay : public plat::HeadlessDisplay {
public:
    void pumpEvents() override {
        plat::HeadlessDisplay::pumpEvents();
        if (whilePumped) whilePumped();
    }
    std::function<void()> whilePumped;
};

class ScreenHarness : public WindowShellTest {
protected:
    void SetUp() override {
        plat::setDisplayDriver(&display_);
        WindowShellTest::SetUp();
        mfxTakeAlertRecords();
    }
    void TearDown() override {
        WindowShellTest::TearDown();
        plat::setDisplayDriver(nullptr);
        mfxScriptAlertAnswers({});
        mfxTakeAlertRecords();
    }

    // The program up with `user` logged in and the easel shown, its menu bar loaded.
    void startLoggedIn(const std::string& user = "Maya") {
        start();
        logIn(user);
        settle();
    }

    // Delivers the scripted input, the platform's messages, the application's queue and one
    // tick of the main window, `rounds` times (answers that cause answers need more than one).
    void settle(int rounds = 3) {
        for (int round = 0; round < rounds; ++round) {
            display_.pumpEvents();
            bool quit = false;
            int code = 0;
            while (mfxPumpOneMessage(&quit, &code) && !quit) {
            }
            app->OnIdle();
            mainWindow->OnTick(plat::clockMillis());
        }
        sprUpdateScreen(1);
    }
    // Moves the fake clock on and lets the program see it.
    void advance(u32 ms) {
        clock_.advance(ms);
        settle();
    }

    // A press and release of the left button at `point` (window coordinates).
    void click(Point16 point) {
        script(plat::InputEvent::Kind::MouseDown, point);
        settle(1);
        script(plat::InputEvent::Kind::MouseUp, point);
        settle();
    }
    // The pointer moved to `point` (hovering) without a button.
    void move(Point16 point) {
        script(plat::InputEvent::Kind::MouseMove, point);
        settle();
    }
    // A press at `from`, moves in `steps` steps and a release at `to`.
    void drag(Point16 from, Point16 to, int steps = 8) {
        script(plat::InputEvent::Kind::MouseDown, from);
        settle(1);
        for (int i = 1; i <= steps; ++i) {
            script(plat::InputEvent::Kind::MouseMove,
                   {i16(from.h + (to.h - from.h) * i / steps), i16(from.v + (to.v - from.v) * i / steps)});
            settle(1);
        }
        script(plat::InputEvent::Kind::MouseUp, to);
        settle();
    }
    // A press at the first point, moves through the others and a release at the last.
    void stroke(const std::vector<Point16>& points) {
        script(plat::InputEvent::Kind::MouseDown, points.front());
        settle(1);
        for (const Point16& p : points) {
            script(plat::InputEvent::Kind::MouseMove, p);
            settle(1);
        }
        script(plat::InputEvent::Kind::MouseUp, points.back());
        settle();
    }
    // A key pressed and released; `shift` holds Shift around it. Each event is delivered
    // before the next comes, so the key is held while the program hears it.
    void key(u8 virtualKey, bool shift = false) {
        if (shift) scriptKey(plat::InputEvent::Kind::KeyDown, kShiftKey);
        scriptKey(plat::InputEvent::Kind::KeyDown, virtualKey);
        scriptKey(plat::InputEvent::Kind::KeyUp, virtualKey);
        if (shift) scriptKey(plat::InputEvent::Kind::KeyUp, kShiftKey);
    }
    // A key pressed and released with Control held around it (a menu's shortcut).
    void controlKey(u8 virtualKey) {
        scriptKey(plat::InputEvent::Kind::KeyDown, kControlKey);
        key(virtualKey);
        scriptKey(plat::InputEvent::Kind::KeyUp, kControlKey);
    }
    // Text typed as the desktop's keyboard layout and input method hand it over (UTF-8, dead
    // keys and compositions done): the road of the window's own typed text.
    void type(const std::string& utf8) {
        display_.script(mainWindow->GetHandle(), textEvent(utf8));
        settle(1);
    }
    // The same, left waiting for a modal dialog's own loop.
    void queueText(const std::string& utf8) { display_.script(mainWindow->GetHandle(), textEvent(utf8)); }
    // A key press and release left waiting for whoever pumps the display next: a modal
    // dialog's own loop, which the test cannot settle from outside.
    void queueKey(u8 virtualKey) {
        for (auto kind : {plat::InputEvent::Kind::KeyDown, plat::InputEvent::Kind::KeyUp}) {
            plat::InputEvent event;
            event.kind = kind;
            event.virtualKey = virtualKey;
            display_.script(mainWindow->GetHandle(), event);
        }
    }
    // A press and release at `point` left waiting for whoever pumps the display next, as
    // queueKey leaves a key.
    void queueClick(Point16 point) {
        script(plat::InputEvent::Kind::MouseDown, point);
        script(plat::InputEvent::Kind::MouseUp, point);
    }
    // The middle of a sprite's rectangle (a button's), for clicking it.
    static Point16 centreOf(u16 sprite) {
        const SprSprite* s = sprFind(sprite);
        if (!s) return {-1, -1};
        return {i16((s->bounds.left + s->bounds.right) / 2), i16((s->bounds.top + s->bounds.bottom) / 2)};
    }

    // FNV-1a over the rectangle of the window's shown picture: tells whether the picture
    // changed within one run.
    u64 PictureHash(const Rect16& rect) const {
        const plat::HeadlessWindow& shown = face();
        u64 hash = 1469598103934665603ull;
        for (i16 y = rect.top; y < rect.bottom; ++y)
            for (i16 x = rect.left; x < rect.right; ++x) {
                hash = (hash ^ shownPixel(shown, x, y)) * 1099511628211ull;
            }
        return hash;
    }

    // The picture of `rect` as the window shows it.
    golden::RgbPicture Shown(const Rect16& rect) const {
        const plat::HeadlessWindow& shown = face();
        golden::RgbPicture picture{rect.right - rect.left, rect.bottom - rect.top, {}};
        picture.rgb.resize(size_t(std::max(0, picture.width)) * size_t(std::max(0, picture.height)) * 3);
        u8* out = picture.rgb.data();
        for (i16 y = rect.top; y < rect.bottom; ++y)
            for (i16 x = rect.left; x < rect.right; ++x) {
                const u32 p = shownPixel(shown, x, y);
                *out++ = u8(p >> 16);
                *out++ = u8(p >> 8);
                *out++ = u8(p);
            }
        return picture;
    }
    // A picture as the averages of its 8x8-pixel blocks (RGB, row by row).
    static golden::RgbPicture Blocks(const golden::RgbPicture& picture) {
        golden::RgbPicture blocks{(picture.width + kBlock - 1) / kBlock, (picture.height + kBlock - 1) / kBlock, {}};
        for (int by = 0; by < blocks.height; ++by)
            for (int bx = 0; bx < blocks.width; ++bx) {
                u32 sum[3] = {0, 0, 0};
                u32 count = 0;
                for (int y = by * kBlock; y < std::min(picture.height, (by + 1) * kBlock); ++y)
                    for (int x = bx * kBlock; x < std::min(picture.width, (bx + 1) * kBlock); ++x) {
                        for (size_t c = 0; c < 3; ++c) sum[c] += picture.rgb[(size_t(y) * size_t(picture.width) + size_t(x)) * 3 + c];
                        ++count;
                    }
                for (u32 channel : sum) blocks.rgb.push_back(u8((channel + count / 2) / count));
            }
        return blocks;
    }

    // Checks the picture of `rect` against the golden picture "<label>.png" of the test
    // target's golden folder (TUMBLO_TEST_GOLDEN_DIR, which a target using pictures defines;
    // tests/GoldenPicture.h tells how a golden picture is rewritten). The two are compared
    // block by block (8x8-pixel averages), each channel within kPictureTolerance: glyph edges,
    // gradient dithering and text moved by a pixel or two (FreeType, cairo and pixman releases
    // differ in these) move a block's average by up to about 50 levels; a missing word, a
    // missing button or a button of another colour by 95 and more.
    void ExpectPicture(const std::string& label, const Rect16& rect) const {
        golden::expectPicture(std::string(TUMBLO_TEST_GOLDEN_DIR) + "/" + label + ".png", Shown(rect), CompareBlocks);
    }
    // Empty when every block channel lies within kPictureTolerance of the golden one, else
    // what differs.
    static std::string CompareBlocks(const golden::RgbPicture& actual, const golden::RgbPicture& expected) {
        if (expected.rgb.empty()) return "no golden picture";
        if (expected.width != actual.width || expected.height != actual.height) return "golden picture of another size";
        const std::string fault = golden::compare(Blocks(actual), Blocks(expected), kPictureTolerance);
        return fault.empty() ? fault : "8x8 block averages: " + fault;
    }

    // How far (in levels of 255) a block's average channel may stray from the golden one.
    static constexpr int kPictureTolerance = 64;

    // The answers the next alerts give, in order.
    static void answerAlerts(std::vector<u32> answers) { mfxScriptAlertAnswers(std::move(answers)); }
    // The alerts shown since the last call.
    static std::vector<mfxAlertRecord> alerts() { return mfxTakeAlertRecords(); }

    static std::string readFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    const plat::HeadlessWindow& face() const {
        return *dynamic_cast<const plat::HeadlessWindow*>(mainWindow->GetFace());
    }
    // The shown pixel at a point of the program's picture (below the window's menu band).
    u32 shownPixel(const plat::HeadlessWindow& shown, i32 x, i32 y) const {
        return shown.shownPixel(x, y + mainWindow->ContentTop());
    }
    u32 shownPixel(Point16 at) const { return shownPixel(face(), at.h, at.v); }

    plat::ScopedFakeClock clock_{1000};
    HarnessDisplay display_;

protected:
    void script(plat::InputEvent::Kind kind, Point16 point) {
        plat::InputEvent event;
        event.kind = kind;
        event.position = {point.h, i16(point.v + mainWindow->ContentTop())};
        display_.script(mainWindow->GetHandle(), event);
    }

private:
    void scriptKey(plat::InputEvent::Kind kind, u8 virtualKey) {
        plat::InputEvent event;
        event.kind = kind;
        event.virtualKey = virtualKey;
        display_.script(mainWindow->GetHandle(), event);
        settle(1);
    }
    static plat::InputEvent textEvent(const std::string& utf8) {
        plat::InputEvent event;
        event.kind = plat::InputEvent::Kind::Text;
        event.text = utf8;
        return event;
    }
    static constexpr u8 kShiftKey = 0x10;
    static constexpr u8 kControlKey = 0x11;
    static constexpr int kBlock = 8;
};

}  // namespace testapp
