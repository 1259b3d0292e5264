#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "platform/display/choice/DisplayChoice.h"
#include "tests/demo/screenshot/SdlDisplayOnXvfb.h"

// A test run on an X server of its own, with SDL's software renderer as the program's display
// driver; fails when no X server can be started. The driver is unset again before it closes.
class SdlOnXvfb : public ::testing::Test {
protected:
    void SetUp() override {
        if (!server_.running()) GTEST_FAIL() << "No X server could be started: " << server_.failure();
        sdl_ = sdlDisplayOn(server_);
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
