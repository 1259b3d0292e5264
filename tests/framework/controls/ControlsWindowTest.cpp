// A window with buttons and a scrolling list built from an archive: mouse and keys go through
// the window, the input objects and the message queue to the screen that owns them.
#include <gtest/gtest.h>

#include "framework/controls/LoadButtonsFromKVR.h"
#include "framework/controls/RTextScroller.h"
#include "framework/input/RHotSpotList.h"
#include "framework/messaging/mfDispatcher.h"
#include "framework/windows/mfxDisplayWindow.h"
#include "platform/display/choice/DisplayChoice.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/keyboard/VirtualKeys.h"
#include "platform/ui/MessageQueue.h"
#include "tests/framework/SystemArchiveFixture.h"
#include "tests/framework/messaging/MessagingFixtures.h"

namespace {

using namespace Ostrel;

constexpr u16 kScreenButtons = 777;
constexpr u32 kMsgOk = 243;
constexpr u32 kMsgOkHover = 344;
constexpr u32 kMsgSound = 250;

std::string screenButtons() {
    ButtonRecord ok;
    ok.id = 1038;
    ok.shapes = {900, 901, 902, 903};
    ok.left = 10, ok.top = 10, ok.right = 90, ok.bottom = 40;
    ok.clickMessage = kMsgOk;
    ok.hoverMessage = kMsgOkHover;
    ButtonRecord sound = ok;
    sound.id = 1039;
    sound.kind = ButtonKind::Toggle;
    sound.left = 100, sound.right = 180;
    sound.clickMessage = kMsgSound;
    sound.hoverMessage = 0;
    std::vector<u8> bytes;
    EXPECT_EQ(writeButtonSet(std::vector<ButtonRecord>{ok, sound}, &bytes), kErrNone);
    return testfw::asText(bytes);
}

// The screen: its hot spots and buttons, and a list of six names shown in four rows.
class Screen : public fwtest::Recorder {
public:
    explicit Screen(fwtest::Log& log) : Recorder(log, "screen") {
        buttons = LoadButtonsFromKVR(this, &hotSpots, kScreenButtons, kButtonSpriteFlags);
        DrawButtons(buttons);
        list.SetCellRects({{10, 100, 200, 120}, {10, 120, 200, 140}, {10, 140, 200, 160}, {10, 160, 200, 180}}, 7606);
        list.SetItems({"Ada", "Ben", "Cleo", "Dan", "Eve", "Finn"});
        list.SetPageStep(4);
        list.RegisterInput();
    }
    RHotSpotList hotSpots{this};
    RButtonSet buttons;
    RTextScroller list{this};
};

class Window : public mfxDisplayWindow {
public:
    Window() : mfxDisplayWindow("Tumblo", Rect16{0, 0, 640, 480}) {}
};

class ControlsWindow : public ::testing::Test {
protected:
    void SetUp() override {
        plat::setDisplayDriver(&display);
        archive.open({{kButtonSetType, kScreenButtons, screenButtons()}});
        window = std::make_unique<Window>();
        screen = std::make_unique<Screen>(log);
        ASSERT_EQ(screen->buttons.size(), 2u);
    }
    void TearDown() override {
        screen.reset();
        window.reset();
        plat::setDisplayDriver(nullptr);
    }
    void send(plat::InputEvent::Kind kind, int x, int y) {
        plat::InputEvent event;
        event.kind = kind;
        event.position = {x, y};
        display.script(window->GetHandle(), event);
    }
    void key(u8 vk) {
        plat::InputEvent event;
        event.kind = plat::InputEvent::Kind::KeyDown;
        event.virtualKey = vk;
        display.script(window->GetHandle(), event);
        event.kind = plat::InputEvent::Kind::KeyUp;
        display.script(window->GetHandle(), event);
    }
    void click(int x, int y) {
        send(plat::InputEvent::Kind::MouseMove, x, y);
        send(plat::InputEvent::Kind::MouseDown, x, y);
        send(plat::InputEvent::Kind::MouseUp, x, y);
    }
    // Runs the window's events, then the idle steps until the queue is quiet.
    std::vector<std::string> run() {
        display.pumpEvents();
        plat::Message message;
        while (plat::peekMessage(message, true)) {
            if (!window->PreTranslateMessage(message)) plat::dispatchMessage(message);
        }
        for (int step = 0; step < 8 && mfDispatcher().DispatchQueuedMessages() != 0; ++step) {
        }
        std::vector<std::string> heard;
        heard.swap(log);
        return heard;
    }
    u16 state(size_t button) const { return screen->buttons[button]->GetState(); }

    fwtest::QueueReset reset;
    plat::HeadlessDisplay display;
    testfw::SystemArchive archive;
    fwtest::Log log;
    std::unique_ptr<Window> window;
    std::unique_ptr<Screen> screen;
};

const std::string kScht = std::to_string(kMsgScrollerHit);
const std::string kScdn = std::to_string(kMsgScrollerScrolled);

TEST_F(ControlsWindow, ButtonsLightUpAndClickThroughTheQueue) {
    send(plat::InputEvent::Kind::MouseMove, 50, 20);
    EXPECT_EQ(run(), (std::vector<std::string>{"screen:344"}));
    EXPECT_EQ(state(0), kButtonHighlighted);
    send(plat::InputEvent::Kind::MouseDown, 50, 20);
    send(plat::InputEvent::Kind::MouseUp, 50, 20);
    EXPECT_EQ(run(), (std::vector<std::string>{"screen:344", "screen:243"}));  // the press ends the hover
    EXPECT_EQ(state(0), kButtonDown);
    send(plat::InputEvent::Kind::MouseMove, 300, 300);
    EXPECT_EQ(run(), (std::vector<std::string>{"screen:344"}));  // the hover ends
    EXPECT_EQ(state(0), kButtonDown);                            // latched
    click(140, 20);
    EXPECT_EQ(run(), (std::vector<std::string>{"screen:250"}));
    EXPECT_EQ(state(1), kButtonDown);
    click(140, 20);
    EXPECT_EQ(run(), (std::vector<std::string>{"screen:250"}));
    EXPECT_EQ(state(1), kButtonUp);  // the second click released the toggle
}

TEST_F(ControlsWindow, PressDraggedOffAButtonDoesNotClick) {
    send(plat::InputEvent::Kind::MouseDown, 50, 20);
    send(plat::InputEvent::Kind::MouseMove, 300, 20);
    send(plat::InputEvent::Kind::MouseUp, 300, 20);
    EXPECT_TRUE(run().empty());
    EXPECT_EQ(state(0), kButtonUp);
}

TEST_F(ControlsWindow, ListAnswersClicksAndKeys) {
    click(50, 145);
    EXPECT_EQ(run(), (std::vector<std::string>{"screen:" + kScht}));
    EXPECT_EQ(screen->list.GetSelected(), 2);
    key(plat::kVkDown);
    key(plat::kVkDown);
    key(plat::kVkDown);
    EXPECT_EQ(run(), (std::vector<std::string>{"screen:" + kScht, "screen:" + kScdn, "screen:" + kScht,
                                               "screen:" + kScdn, "screen:" + kScht}));
    EXPECT_EQ(screen->list.GetSelected(), 5);
    EXPECT_EQ(screen->list.GetFirstVisible(), 2);
    key(plat::kVkPageUp);
    EXPECT_EQ(run(), (std::vector<std::string>{"screen:" + kScdn}));
    EXPECT_EQ(screen->list.GetFirstVisible(), 0);
}

TEST_F(ControlsWindow, ScreenDestroyedUnderThePointerLeavesTheWindowWorking) {
    send(plat::InputEvent::Kind::MouseMove, 50, 20);
    send(plat::InputEvent::Kind::MouseDown, 50, 20);
    run();
    screen.reset();
    send(plat::InputEvent::Kind::MouseUp, 50, 20);
    send(plat::InputEvent::Kind::MouseMove, 60, 20);
    EXPECT_TRUE(run().empty());
}

}  // namespace
