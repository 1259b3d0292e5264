#pragma once
// The engine's first picture on a screen: starts the engine services built so far that
// drawing needs (OS manager, memory, OS services, INI profiles, graphics), opens a window of
// the message core with a face on the display driver and its window port, draws a test
// picture in an offscreen RGB555 port through the drawing calls and copies it to the window
// port, which shows it. Used by the demonstration program and the screenshot test.
// User-interface thread only; one screen at a time.
#include <memory>
#include <string>

#include "engine/gfx/GfxOffscreenPort.h"
#include "platform/display/choice/DisplayChoice.h"

class DemoScreen {
public:
    // Null, with the reason in `whyNot`, when a service cannot start.
    static std::unique_ptr<DemoScreen> open(int32_t width, int32_t height, std::string* whyNot);
    ~DemoScreen();
    DemoScreen(const DemoScreen&) = delete;
    DemoScreen& operator=(const DemoScreen&) = delete;

    EngineErr showTestPicture();

    GfxOffscreenPort& picture() { return *picture_; }
    GfxPort* windowPort() { return windowPort_; }
    plat::DisplayWindow& face() { return *face_; }
    plat::WindowHandle window() const { return window_; }

private:
    DemoScreen() = default;

    plat::WindowHandle window_ = plat::kNoWindow;
    std::unique_ptr<plat::DisplayWindow> face_;
    GfxPort* windowPort_ = nullptr;
    GfxOffscreenPort* picture_ = nullptr;
    bool managerStarted_ = false;
    bool memoryStarted_ = false;
    bool servicesStarted_ = false;
    bool profilesStarted_ = false;
    bool graphicsStarted_ = false;
};

// The RGB555 word the test picture has at (x, y) of a width × height picture.
u16 demoPictureWord(i32 x, i32 y, i32 width, i32 height);
