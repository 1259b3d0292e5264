#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "XvfbServer.h"
#include "platform/display/choice/DisplayChoice.h"
#include "platform/display/sdl/SdlDisplay.h"

// A test run on an X server of its own, with SDL's software renderer as the program's display
// driver; skipped when no X server can be started. The driver is unset again before it closes.
class SdlOnXvfb : public ::testing::Test {
protected:
    void SetUp() override {
        if (!server_.running()) GTEST_SKIP() << "No X server could be started: " << server_.failure();
        setenv("DISPLAY", server_.display().c_str(), 1);
        setenv("SDL_RENDER_DRIVER", "software", 1);
        setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 1);
        sdl_ = plat::makeSdlDisplay("x11");
        ASSERT_NE(sdl_, nullptr) << "SDL could not open the X server at " << server_.display();
        plat::setDisplayDriver(sdl_.get());
    }
    void TearDown() override {
        plat::setDisplayDriver(nullptr);
        sdl_.reset();
    }

    XvfbServer server_;
    std::unique_ptr<plat::DisplayDriver> sdl_;
};
