#pragma once
// An SDL display on SDL's dummy video driver, which shows nothing but runs the SDL driver's
// own code, with one window of 8 × 8 on it; fails where SDL cannot start that driver.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/display/sdl/SdlDisplay.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Windows.h"

namespace plat::testing {

class SdlDummyDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        sdl = makeSdlDisplay("dummy");
        if (!sdl) GTEST_FAIL() << "SDL's dummy video driver is not available";
        window = createWindow({"Test", "sdl", defaultWindowProcedure});
        face = sdl->openWindow(window, "sdl", 8, 8);
        ASSERT_NE(face, nullptr);
        drain();
    }
    void TearDown() override {
        face.reset();
        if (window != kNoWindow) destroyWindow(window);
        window = kNoWindow;
        drain();
        sdl.reset();
    }
    std::vector<Message> drain() {
        std::vector<Message> out;
        Message m;
        while (peekMessage(m, true)) out.push_back(m);
        return out;
    }

    std::unique_ptr<DisplayDriver> sdl;
    WindowHandle window = kNoWindow;
    std::unique_ptr<DisplayWindow> face;
};

}  // namespace plat::testing
