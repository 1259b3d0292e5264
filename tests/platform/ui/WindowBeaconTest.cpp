#include "platform/ui/WindowBeacon.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <optional>
#include <string>

#include "platform/ui/MessageQueue.h"
#include "platform/ui/Windows.h"

namespace plat {
namespace {

struct WindowBeaconTest : ::testing::Test {
    WindowHandle window = kNoWindow;
    int activations = 0;

    void SetUp() override {
        setWindowBeaconScope("beacon-test-" + std::to_string(::getpid()));
        window = createWindow({"Beaconed", "Beaconed", [this](WindowHandle w, uint32_t m, uintptr_t wp, intptr_t lp) {
                                   if (m == kMsgActivate && wp == 1) ++activations;
                                   return defaultWindowProcedure(w, m, wp, lp);
                               }});
    }
    void TearDown() override {
        destroyWindow(window);
        setWindowBeaconScope("");
    }
    void pump() {
        Message m;
        while (peekMessage(m, true)) dispatchMessage(m);
    }
};

}  // namespace

TEST_F(WindowBeaconTest, AnotherStartFindsTheWindowAndAsksItForward) {
    WindowBeacon beacon("MainClass", window);
    ASSERT_TRUE(beacon.active());
    EXPECT_TRUE(bringClassWindowToFront("MainClass"));
    pump();
    EXPECT_EQ(activations, 1);
}

TEST_F(WindowBeaconTest, NoBeaconNoAnswer) {
    EXPECT_FALSE(bringClassWindowToFront("MainClass"));
    {
        WindowBeacon beacon("OtherClass", window);
        EXPECT_FALSE(bringClassWindowToFront("MainClass"));
    }
    EXPECT_FALSE(bringClassWindowToFront("OtherClass"));
    pump();
    EXPECT_EQ(activations, 0);
}

TEST_F(WindowBeaconTest, OneBeaconPerClassAndScope) {
    WindowBeacon first("MainClass", window);
    WindowBeacon second("MainClass", window);
    EXPECT_TRUE(first.active());
    EXPECT_FALSE(second.active());
    setWindowBeaconScope("elsewhere-" + std::to_string(::getpid()));
    EXPECT_FALSE(bringClassWindowToFront("MainClass"));
}

}  // namespace plat
