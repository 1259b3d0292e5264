#include "framework/menus/mfxMenu.h"
#include "framework/windows/mfxDisplayWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/input/RInputObject.h"
#include "framework/windows/mfxQueries.h"
#include "platform/display/DisplayDriver.h"
#include "platform/display/choice/DisplayChoice.h"
#include "platform/display/InputDelivery.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/keyboard/KeyboardState.h"
#include "platform/keyboard/VirtualKeys.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Windows.h"

using namespace Ostrel;
using Log = std::vector<std::string>;
using Kind = plat::InputEvent::Kind;

namespace {

class Listener : public RInputObject {
public:
    explicit Listener(Log& log) : log_(log) {}
    // The key record: virtual key, modifiers, character, repeat count less one.
    u32 HandleKey(u32 key) override { return note("key " + record(key)); }
    u32 HandleKeyUp(u32 key) override { return note("key up " + record(key)); }
    u32 HandleInput(u32, Point16 p, u32 buttons) override { return note("down " + at(p) + " " + std::to_string(buttons)); }
    u32 HandleMouseUp(u32, Point16 p, u32) override { return note("up " + at(p)); }
    u32 HandleMouseMove(Point16 p, u32) override { return note("move " + at(p)); }
    void HandleTick(u32 now) override { note("tick " + std::to_string(now)); }
    void HandleActivation(u32 state) override { note("active " + std::to_string(state)); }

private:
    static std::string at(Point16 p) { return std::to_string(p.h) + "," + std::to_string(p.v); }
    static std::string record(u32 key) {
        const KeyRecord r = Bytes4FromLong(key);
        return std::to_string(r.virtualKey) + "/" + std::to_string(r.modifiers) + "/" + std::to_string(r.character) + "/" +
               std::to_string(r.repeatMinusOne);
    }
    u32 note(const std::string& what) {
        log_.push_back(what);
        return 1;
    }
    Log& log_;
};

class MainWindow : public mfxDisplayWindow {
public:
    explicit MainWindow(Log& log) : mfxDisplayWindow("Main", Rect16{100, 50, 420, 290}), log_(log) {}
    u32 OnCommand(u32 command) override {
        log_.push_back("command " + std::to_string(command));
        return 1;
    }
    u32 OnClose() override {
        log_.push_back("close");
        return closeAnswer;
    }
    u32 closeAnswer = 0;

private:
    Log& log_;
};

struct DisplayWindowInput : ::testing::Test {
    plat::HeadlessDisplay display;
    Log log;

    // Keys and buttons that an earlier test left held would change what this one sees.
    void SetUp() override {
        plat::setDisplayDriver(&display);
        plat::keyboardState() = plat::KeyboardState{};
        for (plat::MouseButton button : {plat::MouseButton::Left, plat::MouseButton::Right, plat::MouseButton::Middle})
            plat::deliverInput(plat::kNoWindow, mouse(Kind::MouseUp, 0, 0, button));
        drain();
    }
    void TearDown() override {
        drain();
        plat::setDisplayDriver(nullptr);
    }
    static void drain() {
        plat::Message m;
        while (plat::peekMessage(m, true)) {
        }
    }

    void pump() {
        display.pumpEvents();
        plat::Message m;
        while (plat::peekMessage(m, true)) plat::dispatchMessage(m);
    }
    static plat::InputEvent key(plat::InputEvent::Kind kind, uint8_t vk, uint8_t scan, bool textFollows = false) {
        plat::InputEvent e;
        e.kind = kind;
        e.virtualKey = vk;
        e.scanCode = scan;
        e.textFollows = textFollows;
        return e;
    }
    static plat::InputEvent text(const char* utf8) {
        plat::InputEvent e;
        e.kind = Kind::Text;
        e.text = utf8;
        return e;
    }
    static plat::InputEvent mouse(plat::InputEvent::Kind kind, int32_t x, int32_t y,
                                  plat::MouseButton button = plat::MouseButton::Left) {
        plat::InputEvent e;
        e.kind = kind;
        e.position = {x, y};
        e.button = button;
        return e;
    }
};


}  // namespace

// Each key reaches the input objects once, as the key record of the key and what it typed: the
// US layout's character for a key whose text does not follow, the desktop layout's own text for
// one whose text does (a dead key typing nothing), and text with no key of its own.
TEST_F(DisplayWindowInput, KeysAndTypedTextReachInputObjectsOnceAsKeyRecords) {
    struct Case {
        const char* name;
        std::vector<plat::InputEvent> events;
        Log heard;
    };
    const Case cases[] = {
        {"a letter", {key(Kind::KeyDown, 'A', 30), key(Kind::KeyUp, 'A', 30)}, {"key 65/0/97/0", "key up 65/0/0/0"}},
        {"a key that types nothing", {key(Kind::KeyDown, plat::kVkDelete, 83)}, {"key 46/0/0/0"}},
        {"Shift, then a letter",
         {key(Kind::KeyDown, plat::kVkShift, 42), key(Kind::KeyDown, 'A', 30)},
         {"key 0/4/0/0", "key 65/4/65/0"}},
        {"Control and a letter", {key(Kind::KeyDown, plat::kVkControl, 29), key(Kind::KeyDown, 'C', 46)}, {"key 0/1/0/0", "key 67/1/3/0"}},
        {"the layout's letter", {key(Kind::KeyDown, plat::kVkSemicolon, 39, true), text("\xC3\xB1")}, {"key 186/0/241/0"}},
        {"a dead key, then its letter",
         {key(Kind::KeyDown, plat::kVkQuote, 40, true), key(Kind::KeyDown, 'E', 18, true), text("\xC3\xA9")},
         {"key 222/0/0/0", "key 69/0/233/0"}},
        {"Return under text", {key(Kind::KeyDown, plat::kVkReturn, 28, true)}, {"key 13/0/13/0"}},
        {"text alone", {text("\xC2\xBFQu\xC3\xA9?")}, {"key 0/0/191/0", "key 0/0/81/0", "key 0/0/117/0", "key 0/0/233/0", "key 0/0/63/0"}},
        {"what cp1252 cannot hold and broken bytes are left out",
         {text("a\xE4\xB8\xAD\xFF\xC3" "b\xE2\x82\xAC\x01\x7F")},
         {"key 0/0/97/0", "key 0/0/98/0", "key 0/0/128/0"}},
        {"cp1252's letters beside its unassigned bytes", {text("\xC5\xBE\xC2\x9D\xC5\xB8")}, {"key 0/0/158/0", "key 0/0/159/0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        plat::keyboardState() = plat::KeyboardState{};
        log.clear();
        MainWindow window(log);
        Listener listener(log);
        listener.Register(kInputKeys);
        for (const plat::InputEvent& event : c.events) display.script(window.GetHandle(), event);
        pump();
        EXPECT_EQ(log, c.heard);
    }
    plat::keyboardState() = plat::KeyboardState{};
}

TEST_F(DisplayWindowInput, LeftButtonAndMovesReachInputObjectsRightButtonDoesNot) {
    MainWindow window(log);
    Listener listener(log);
    listener.Register(kInputMouseButtons | kInputMouseMove);
    const plat::WindowHandle h = window.GetHandle();
    display.script(h, mouse(Kind::MouseDown, 10, 20, plat::MouseButton::Right));
    display.script(h, mouse(Kind::MouseUp, 10, 20, plat::MouseButton::Right));
    display.script(h, mouse(Kind::MouseDown, 3, 4));
    display.script(h, mouse(Kind::MouseMove, 5, 6));
    display.script(h, mouse(Kind::MouseUp, 7, 8));
    display.script(h, mouse(Kind::MouseDoubleClick, 9, 10));
    pump();
    EXPECT_EQ(log, (Log{"down 3,4 1", "move 5,6", "up 7,8", "down 9,10 1"}));
}

TEST_F(DisplayWindowInput, KeyAndButtonQueriesFollowTheInput) {
    MainWindow window(log);
    const plat::WindowHandle h = window.GetHandle();
    struct Case {
        const char* name;
        plat::InputEvent event;
        u32 query;
        u32 answer;
    } cases[] = {
        {"shift down", key(Kind::KeyDown, plat::kVkShift, 42), kMfxKeyShift, 1},
        {"control not down", key(Kind::KeyDown, 'B', 48), kMfxKeyControl, 0},
        {"control down", key(Kind::KeyDown, plat::kVkControl, 29), kMfxKeyControl, 1},
        {"virtual key down", key(Kind::KeyDown, 'Q', 16), 'Q', 1},
        {"alt down", key(Kind::KeyDown, plat::kVkAlt, 56), kMfxKeyAlt, 1},
        {"control up", key(Kind::KeyUp, plat::kVkControl, 29), kMfxKeyControl, 0},
        {"beyond the key codes", key(Kind::KeyDown, 'C', 46), 0x143, 0},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        display.script(h, row.event);
        pump();
        EXPECT_EQ(mfxIsKeyDown(row.query), row.answer);
    }
    display.script(h, mouse(Kind::MouseDown, 1, 1, plat::MouseButton::Right));
    pump();
    EXPECT_EQ(mfxIsMouseButtonDown(0), 0u);
    EXPECT_EQ(mfxIsMouseButtonDown(1), 1u);
    EXPECT_EQ(mfxIsMouseButtonDown(3), 0u);
    display.script(h, mouse(Kind::MouseUp, 1, 1, plat::MouseButton::Right));
    pump();
    EXPECT_EQ(mfxIsMouseButtonDown(1), 0u);
}

TEST_F(DisplayWindowInput, FlushDropsOnlyItsOwnKindOfMessage) {
    MainWindow window(log);
    Listener listener(log);
    listener.Register(kInputKeys | kInputMouseButtons);
    const plat::WindowHandle h = window.GetHandle();
    auto scriptBoth = [&] {
        display.script(h, key(Kind::KeyDown, 'A', 30));
        display.script(h, mouse(Kind::MouseDown, 1, 2));
        display.pumpEvents();
    };
    scriptBoth();
    mfxFlushKeyboardMessages();
    pump();
    EXPECT_EQ(log, (Log{"down 1,2 1"}));
    log.clear();
    scriptBoth();
    mfxFlushMouseMessages();
    pump();
    EXPECT_EQ(log, (Log{"key 65/0/97/0"}));
}

TEST_F(DisplayWindowInput, TickAndActivationReachInterestedObjects) {
    MainWindow window(log);
    Listener ticking(log), other(log);
    other.Register(kInputKeys);
    ticking.Register(kInputTick | kInputActivation);
    window.OnTick(1234);
    plat::postAppActivation(false);
    pump();
    EXPECT_EQ(log, (Log{"tick 1234", "active 0"}));
}

TEST_F(DisplayWindowInput, CommandsAndCloseRequestsReachTheirHooks) {
    MainWindow window(log);
    const plat::WindowHandle h = window.GetHandle();
    plat::postMessage(h, plat::kMsgCommand, 5 | (1u << 16), 0);
    plat::postMessage(h, plat::kMsgClose, 0, 0);
    pump();
    EXPECT_EQ(log, (Log{"command 5", "close"}));
    EXPECT_TRUE(plat::isWindow(h));

    window.closeAnswer = 1;
    plat::postMessage(h, plat::kMsgClose, 0, 0);
    pump();
    EXPECT_FALSE(plat::isWindow(h));
    EXPECT_EQ(window.GetHandle(), plat::kNoWindow);
    EXPECT_EQ(window.GetFace(), nullptr);
}

TEST_F(DisplayWindowInput, WindowsAreListedWhileTheyLiveAndDestroyTheirPlatformWindow) {
    plat::WindowHandle handle = plat::kNoWindow;
    {
        MainWindow window(log);
        handle = window.GetHandle();
        ASSERT_EQ(mfxWindow::Windows().size(), 1u);
        EXPECT_EQ(mfxWindow::Windows().front(), &window);
        EXPECT_TRUE(plat::isWindow(handle));
    }
    EXPECT_TRUE(mfxWindow::Windows().empty());
    EXPECT_FALSE(plat::isWindow(handle));
}

TEST_F(DisplayWindowInput, MenuBarHeightFollowsTheMainWindowsMenu) {
    EXPECT_EQ(mfxGetMenuBarHeight(), 0);
    MainWindow window(log);
    EXPECT_EQ(mfxGetMenuBarHeight(), 0);
    mfxMenu menu;
    window.SetMenu(&menu);
    EXPECT_EQ(mfxGetMenuBarHeight(), kMfxMenuBarHeight);
    window.SetMenu(nullptr);
    EXPECT_EQ(mfxGetMenuBarHeight(), 0);
}

TEST_F(DisplayWindowInput, PaintMarksTheUpdateRegionDrawn) {
    MainWindow window(log);
    window.GetFace()->invalidate(window.GetFace()->clientRect());
    EXPECT_FALSE(window.GetFace()->updateRegion().empty());
    pump();
    EXPECT_TRUE(window.GetFace()->updateRegion().empty());
}
