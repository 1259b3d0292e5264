#include "framework/dialogs/mfxAlert.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/keyboard/VirtualKeys.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Windows.h"
#include "tests/framework/WindowFixture.h"

namespace {

class AlertTest : public testfw::WindowTest {
protected:
    void SetUp() override {
        testfw::WindowTest::SetUp();
        mfxScriptAlertAnswers({});
        mfxTakeAlertRecords();
    }
};

TEST_F(AlertTest, KeysAnswerByButtonSet) {
    struct Case {
        const char* name;
        u32 style;
        std::vector<uint8_t> keys;
        u32 answer;
    };
    using plat::kVkEscape;
    using plat::kVkReturn;
    using plat::kVkSpace;
    using plat::kVkTab;
    const Case cases[] = {
        {"OK by Enter", kAlertOk, {kVkReturn}, kAlertAnswerOk},
        {"OK by Escape", kAlertOk, {kVkEscape}, kAlertAnswerOk},
        {"OK/Cancel first", kAlertOkCancel, {kVkReturn}, kAlertAnswerOk},
        {"OK/Cancel second", kAlertOkCancel, {kVkTab, kVkSpace}, kAlertAnswerCancel},
        {"OK/Cancel Escape", kAlertOkCancel, {kVkEscape}, kAlertAnswerCancel},
        {"Retry/Cancel first", kAlertRetryCancel, {kVkSpace}, kAlertAnswerRetry},
        {"Yes/No second", kAlertYesNo | kAlertIconQuestion, {kVkTab, kVkReturn}, kAlertAnswerNo},
        {"Yes/No Escape says No", kAlertYesNo, {kVkEscape}, kAlertAnswerNo},
        {"Yes/No/Cancel third", kAlertYesNoCancel, {kVkTab, kVkTab, kVkReturn}, kAlertAnswerCancel},
        {"Yes/No/Cancel wraps", kAlertYesNoCancel, {kVkTab, kVkTab, kVkTab, kVkReturn}, kAlertAnswerYes},
        {"unknown set is OK", 7, {kVkReturn}, kAlertAnswerOk},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (uint8_t k : c.keys) press(k);
        EXPECT_EQ(mfxAlert(c.style, c.name), c.answer);
        pump();  // what the alert left unread must not reach the next one
    }
}

TEST_F(AlertTest, AClickOnAButtonAnswers) {
    // A first alert left on the screen shows where the buttons are: the box is centred, so
    // the second of two buttons starts just right of the window's centre. Its lit top edge is
    // the one white run with the box's face above it.
    mfxAlert(kAlertYesNo, "Measure");
    constexpr int32_t kInSecondButton = 210;
    int32_t top = -1;
    for (int32_t y = 1; y < 300 && top < 0; ++y) {
        if (shown({kInSecondButton, y}) == 0xFFFFFFu && shown({kInSecondButton, y - 1}) == 0xD4D0C8u) top = y;
    }
    ASSERT_GT(top, 0) << "the buttons were drawn";
    click({kInSecondButton, top + 8, kInSecondButton + 1, top + 9});
    EXPECT_EQ(mfxAlert(kAlertYesNo, "Click"), kAlertAnswerNo);
    mouse(plat::InputEvent::Kind::MouseDown, {kInSecondButton, top + 8, kInSecondButton + 1, top + 9});
    mouse(plat::InputEvent::Kind::MouseUp, {10, 10, 11, 11});
    EXPECT_EQ(mfxAlert(kAlertYesNo, "Released outside"), kAlertAnswerOk) << "no answer but the script's end";
}

TEST_F(AlertTest, ScriptedAnswersComeWhenTheInputRunsOut) {
    mfxScriptAlertAnswers({kAlertAnswerNo, kAlertAnswerCancel});
    EXPECT_EQ(mfxAlert(kAlertYesNoCancel, "first"), kAlertAnswerNo);
    press(plat::kVkReturn);
    EXPECT_EQ(mfxAlert(kAlertYesNoCancel, "input first"), kAlertAnswerYes);
    EXPECT_EQ(mfxAlert(kAlertYesNoCancel, "second"), kAlertAnswerCancel);
    EXPECT_EQ(mfxAlert(kAlertYesNoCancel, "none left"), kAlertAnswerOk);
    const std::vector<mfxAlertRecord> shown = mfxTakeAlertRecords();
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[1].text, "input first");
    EXPECT_EQ(shown[3].answer, kAlertAnswerOk);
}

// Unanswered as Escape would leave it: a question never takes its yes from a quit.
TEST_F(AlertTest, TheQuitMessageClosesTheAlertAndReachesTheOuterLoop) {
    const std::pair<u32, u32> cases[] = {{kAlertYesNo, kAlertAnswerNo}, {kAlertYesNoCancel, kAlertAnswerCancel}};
    for (const auto& [style, answer] : cases) {
        plat::postQuitMessage(3);
        press(plat::kVkTab);
        press(plat::kVkReturn);
        EXPECT_EQ(mfxAlert(style, "Quit under me"), answer);
        plat::Message message;
        ASSERT_TRUE(plat::peekMessage(message, true));
        EXPECT_EQ(message.message, plat::kMsgQuit);
        EXPECT_EQ(message.wParam, 3u);
        pump();
    }
}

// A close of the window under an alert (its close box, the desktop's quit, a caught quit
// signal) ends the alert as Escape would, never with a yes; the window is not closed from
// under the alert but hears the close once the alert is gone.
TEST_F(AlertTest, AClosedWindowEndsTheAlertUnansweredAndHearsTheCloseAfterIt) {
    struct Case {
        u32 style;
        u32 answer;
    };
    const Case cases[] = {{kAlertYesNoCancel, kAlertAnswerCancel}, {kAlertOkCancel, kAlertAnswerCancel},
                          {kAlertYesNo, kAlertAnswerNo}, {kAlertOk, kAlertAnswerOk}};
    const plat::WindowHandle handle = window->GetHandle();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        plat::postMessage(handle, plat::kMsgClose, 0, 0);
        EXPECT_EQ(mfxAlert(c.style, "Close under me"), c.answer);
        EXPECT_TRUE(plat::isWindow(handle));
        plat::Message message;
        ASSERT_TRUE(plat::peekMessage(message, true));
        EXPECT_EQ(message.message, plat::kMsgClose);
        EXPECT_EQ(message.window, handle);
    }
}

TEST_F(AlertTest, ConversionsInTheTextAreShownAsCharacters) {
    const std::string text = "Can't open \"100%%s%n%s%d.tbx\": %s";
    EXPECT_EQ(mfxAlert(kAlertOk | kAlertIconStop, text), kAlertAnswerOk);
    const std::vector<mfxAlertRecord> shown = mfxTakeAlertRecords();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, text);
    EXPECT_EQ(shown[0].style, kAlertOk | kAlertIconStop);
}

TEST_F(AlertTest, TheAlertIsDrawnWithItsIconAndCaption) {
    mfxAlert(kAlertOk | kAlertIconStop, "Drawn");
    bool red = false;
    bool title = false;
    for (int32_t y = 0; y < 300; ++y) {
        for (int32_t x = 0; x < 400; ++x) {
            red = red || shown({x, y}) == 0xC80000u;
            title = title || shown({x, y}) == 0x0A246Au;
        }
    }
    EXPECT_TRUE(red) << "the stop icon";
    EXPECT_TRUE(title) << "the caption bar";
}

TEST(AlertWithoutWindow, AnswersItsScriptOrOk) {
    mfxScriptAlertAnswers({kAlertAnswerRetry});
    EXPECT_EQ(mfxAlert(kAlertRetryCancel, "no window"), kAlertAnswerRetry);
    EXPECT_EQ(mfxAlert(kAlertRetryCancel, "no window"), kAlertAnswerOk);
    mfxTakeAlertRecords();
}

}  // namespace

namespace {

constexpr uint32_t kMsgDie = plat::kMsgUser + 70;

// A display that waits for input as a real one does, instead of ending a wait that no
// scripted input can end.
class WaitingDisplay : public plat::HeadlessDisplay {
public:
    std::string name() const override { return "waiting"; }
};

class DyingWindow : public mfxDisplayWindow {
public:
    DyingWindow() : mfxDisplayWindow("Dying", Rect16{0, 0, 400, 300}) {}
    intptr_t WindowProc(uint32_t message, uintptr_t wParam, intptr_t lParam) override {
        if (message == kMsgDie) {
            plat::destroyWindow(GetHandle());
            return 0;
        }
        return mfxDisplayWindow::WindowProc(message, wParam, lParam);
    }
};

// Posts the quit message to this thread when it is still alive after a few seconds, so that
// a wait that never ends fails the test instead of hanging it.
class QuitWatchdog {
public:
    QuitWatchdog()
        : thread_(std::this_thread::get_id()), worker_([this] {
              std::unique_lock lock(mutex_);
              if (!ended_.wait_for(lock, std::chrono::seconds(5), [this] { return done_; }))
                  plat::postThreadMessage(thread_, plat::kMsgQuit, 0, 0);
          }) {}
    ~QuitWatchdog() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        ended_.notify_all();
        worker_.join();
    }

private:
    std::thread::id thread_;
    std::mutex mutex_;
    std::condition_variable ended_;
    bool done_ = false;
    std::thread worker_;
};

}  // namespace

TEST(AlertOverADyingWindow, EndsWhenSomethingItDeliveredDestroysTheWindow) {
    WaitingDisplay display;
    plat::setDisplayDriver(&display);
    mfxScriptAlertAnswers({});
    {
        DyingWindow window;
        plat::postMessage(window.GetHandle(), kMsgDie, 0, 0);
        QuitWatchdog watchdog;
        EXPECT_EQ(mfxAlert(kAlertYesNo, "Gone"), kAlertAnswerOk);
    }
    plat::Message message;
    const bool quitWaits = plat::peekMessage(message, true) && message.message == plat::kMsgQuit;
    EXPECT_FALSE(quitWaits) << "the alert waited until the watchdog ended it";
    mfxTakeAlertRecords();
    plat::setDisplayDriver(nullptr);
}
