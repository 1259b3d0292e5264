#pragma once
// The headless screen-test harness: the program started over the content set in scratch XDG
// folders with its own main window (tests/app/window/WindowShellFixture.h), on a fake clock
// and a headless display of the harness's own, so that a test can
// - log a user in and switch screens (logIn, app->SwitchModule),
// - script the mouse and the keyboard through the platform's input road (click, key) and let
//   the program deliver it, its queued messages and the window's tick (settle, advance),
// - check the offscreen picture (PictureHash; ExpectPicture writes the actual picture as a
//   PPM file beside the test's output when the hash differs),
// - answer alerts by script and read what they said (answerAlerts, alerts),
// - record what an owner hears (RecordingOwner) and reopen written files (readFile).
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/window/RMenuOwner.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "framework/app/mfxMain.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/messaging/CListener.h"
#include "platform/clock/Clock.h"
#include "platform/display/choice/DisplayChoice.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "tests/app/window/WindowShellFixture.h"

namespace testapp {

// An owner of dialogs under test: writes down every message it hears, and is a menu owner
// like the screens, so that its dialogs hand the menus back when they go.
class RecordingOwner : public CListener, public Ostrel::RMenuOwner {
public:
    u32 HandleMessage(Ostrel::RMessage* message, u32) override {
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
    // A key pressed and released; `shift` holds Shift around it. Each event is delivered
    // before the next comes, so the key is held while the program hears it.
    void key(u8 virtualKey, bool shift = false) {
        if (shift) scriptKey(plat::InputEvent::Kind::KeyDown, kShiftKey);
        scriptKey(plat::InputEvent::Kind::KeyDown, virtualKey);
        scriptKey(plat::InputEvent::Kind::KeyUp, virtualKey);
        if (shift) scriptKey(plat::InputEvent::Kind::KeyUp, kShiftKey);
    }
    // The middle of a sprite's rectangle (a button's), for clicking it.
    static Point16 centreOf(u16 sprite) {
        const SprSprite* s = sprFind(sprite);
        if (!s) return {-1, -1};
        return {i16((s->bounds.left + s->bounds.right) / 2), i16((s->bounds.top + s->bounds.bottom) / 2)};
    }

    // FNV-1a over the rectangle of the window's shown picture.
    u64 PictureHash(const Rect16& rect) const {
        const plat::HeadlessWindow& shown = face();
        u64 hash = 1469598103934665603ull;
        for (i16 y = rect.top; y < rect.bottom; ++y)
            for (i16 x = rect.left; x < rect.right; ++x) {
                hash = (hash ^ shown.shownPixel(x, y)) * 1099511628211ull;
            }
        return hash;
    }
    // Checks the picture of `rect` against `expected`; on a mismatch the actual picture is
    // written to "<label>.ppm" in the test's output folder (the working folder of ctest).
    void ExpectPicture(const std::string& label, const Rect16& rect, u64 expected) const {
        const u64 actual = PictureHash(rect);
        if (actual == expected) return;
        const std::string file = label + ".ppm";
        writePicture(file, rect);
        ADD_FAILURE() << label << ": picture hash " << actual << " differs from " << expected << "; written to " << file;
    }
    void writePicture(const std::string& file, const Rect16& rect) const {
        const plat::HeadlessWindow& shown = face();
        if (FILE* out = std::fopen(file.c_str(), "wb")) {
            std::fprintf(out, "P6\n%d %d\n255\n", rect.right - rect.left, rect.bottom - rect.top);
            for (i16 y = rect.top; y < rect.bottom; ++y)
                for (i16 x = rect.left; x < rect.right; ++x) {
                    const u32 p = shown.shownPixel(x, y);
                    const unsigned char rgb[3] = {u8(p >> 16), u8(p >> 8), u8(p)};
                    std::fwrite(rgb, 1, 3, out);
                }
            std::fclose(out);
        }
    }

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

    plat::ScopedFakeClock clock_{1000};
    plat::HeadlessDisplay display_;

private:
    void script(plat::InputEvent::Kind kind, Point16 point) {
        plat::InputEvent event;
        event.kind = kind;
        event.position = {point.h, point.v};
        display_.script(mainWindow->GetHandle(), event);
    }
    void scriptKey(plat::InputEvent::Kind kind, u8 virtualKey) {
        plat::InputEvent event;
        event.kind = kind;
        event.virtualKey = virtualKey;
        display_.script(mainWindow->GetHandle(), event);
        settle(1);
    }
    static constexpr u8 kShiftKey = 0x10;
};

}  // namespace testapp
