#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <vector>

#include "DisplayTestSupport.h"
#include "platform/display/QuitSignals.h"

namespace plat {
namespace {

InputEvent quitRequest() {
    InputEvent quit;
    quit.kind = InputEvent::Kind::Quit;
    return quit;
}

TEST(QuitRequest, ClosesEveryDisplayWindowOrEndsTheLoopWhenNoneIsOpen) {
    struct Case {
        int faces;
        uint32_t expected;
    } cases[] = {{0, kMsgQuit}, {1, kMsgClose}, {2, kMsgClose}};
    for (const Case& c : cases) {
        testing::HeadlessDisplayFixture f;
        WindowHandle hidden = createWindow({"Test", "hidden", defaultWindowProcedure});
        WindowHandle second = createWindow({"Test", "second", defaultWindowProcedure});
        std::vector<WindowHandle> shown = {f.window, second};
        shown.resize(size_t(c.faces));
        std::vector<std::unique_ptr<DisplayWindow>> faces;
        for (WindowHandle window : shown) faces.push_back(f.display.openWindow(window, "face", 4, 4));
        f.drain();

        f.display.script(hidden, quitRequest());
        f.display.pumpEvents();
        std::vector<Message> got = f.drain();
        std::vector<WindowHandle> told;
        for (const Message& m : got) {
            EXPECT_EQ(m.message, c.expected) << c.faces << " faces";
            told.push_back(m.window);
        }
        if (c.faces == 0) EXPECT_EQ(told, std::vector<WindowHandle>{kNoWindow});
        else EXPECT_EQ(told, shown) << "only windows with a face hear it, each once";
        faces.clear();
        destroyWindow(second);
        destroyWindow(hidden);
    }
}

TEST(QuitRequest, EndsTheMessageLoopThroughTheWindowsOwnClose) {
    testing::HeadlessDisplayFixture f;
    bool closed = false;
    setWindowProcedure(f.window, [&closed](WindowHandle, uint32_t message, uintptr_t, intptr_t) -> intptr_t {
        if (message == kMsgClose) {
            closed = true;
            postQuitMessage(7);
        }
        return 0;
    });
    auto face = f.display.openWindow(f.window, "main", 8, 8);
    f.drain();
    f.display.script(kNoWindow, quitRequest());
    f.display.pumpEvents();

    // The loop as a program runs it, bounded: every message is dispatched until kMsgQuit.
    Message m;
    bool quit = false;
    for (int i = 0; i < 10 && !quit && peekMessage(m, true); ++i) {
        quit = m.message == kMsgQuit;
        if (!quit) dispatchMessage(m);
    }
    EXPECT_TRUE(closed);
    ASSERT_TRUE(quit);
    EXPECT_EQ(m.wParam, 7u);
}

// Headless nobody could answer the save question: a caught quit signal is the quit message
// itself, once per signal, even with windows open.
TEST(QuitRequest, ACaughtSignalEndsTheHeadlessLoopAtOnce) {
    testing::HeadlessDisplayFixture f;
    auto face = f.display.openWindow(f.window, "main", 8, 8);
    f.drain();
    {
        const QuitSignalCatcher catching;
        ASSERT_EQ(std::raise(SIGTERM), 0);
        f.display.pumpEvents();
        std::vector<Message> got = f.drain();
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].message, kMsgQuit);
        EXPECT_EQ(got[0].wParam, 0u) << "an orderly end, not a failure";
        f.display.pumpEvents();
        EXPECT_TRUE(f.drain().empty()) << "one signal, one quit";
    }
}

}  // namespace
}  // namespace plat
