#pragma once
// A headless main window with a menu bar whose command hook records what reaches it, and a
// pump that runs the window's messages the way the program's loop does: offered to the
// window first (its bar takes menu keys, clicks and paints), dispatched when it does not
// take them.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "engine/base/KeyRecord.h"
#include "framework/menus/mfxMenuBar.h"
#include "framework/windows/mfxDisplayWindow.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/display/choice/DisplayChoice.h"
#include "platform/widgets/WidgetPaint.h"
#include "platform/ui/MessageQueue.h"
#include "tests/framework/format/FormatSamples.h"

namespace testfw {

class FrameworkWindow : public mfxDisplayWindow {
public:
    FrameworkWindow() : mfxDisplayWindow("Tumblo", Rect16{0, 0, 400, 300}) {}
    u32 OnCommand(u32 command) override {
        commands.push_back(command);
        return 1;
    }
    u32 OnKeyDown(u32 key, u8) override {
        keys.push_back(key);
        return 1;
    }
    // Paints its client area black, as the program's window paints its picture.
    void OnPaint() override {
        auto dc = plat::gdi::DeviceContext::createForSurface(plat::gdi::ContextKind::Window, GetFace()->surface());
        plat::widgets::fillBox(*dc, GetFace()->updateRegion().bounds(), 0);
        GetFace()->present(GetFace()->updateRegion().bounds());
        mfxDisplayWindow::OnPaint();
    }
    // How often a key with this character or key code reached the window.
    int heard(u8 key) const {
        int n = 0;
        for (u32 k : keys) n += keyRecordVirtualKey(k) == key || keyRecordCharacter(k) == key;
        return n;
    }
    void OnInitMenu() override {
        ++menuChecks;
        if (onMenuCheck) onMenuCheck();
    }
    mfxMenuBar& bar() { return *GetMenuBar(); }
    int menuChecks = 0;
    std::function<void()> onMenuCheck;
    std::vector<u32> commands;
    std::vector<u32> keys;
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        plat::setDisplayDriver(&display);
        window = std::make_unique<FrameworkWindow>();
        menu.SetFromResource(testfmt::sampleMenu());
        window->SetMenu(&menu);
    }
    void TearDown() override {
        window.reset();
        plat::setDisplayDriver(nullptr);
    }

    void key(uint8_t vk, bool down) {
        plat::InputEvent event;
        event.kind = down ? plat::InputEvent::Kind::KeyDown : plat::InputEvent::Kind::KeyUp;
        event.virtualKey = vk;
        display.script(window->GetHandle(), event);
    }
    void press(uint8_t vk) {
        key(vk, true);
        key(vk, false);
    }
    void mouse(plat::InputEvent::Kind kind, plat::gdi::Rect box) {
        plat::InputEvent event;
        event.kind = kind;
        event.position = {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
        display.script(window->GetHandle(), event);
    }
    void click(plat::gdi::Rect box) {
        mouse(plat::InputEvent::Kind::MouseDown, box);
        mouse(plat::InputEvent::Kind::MouseUp, box);
    }
    void pump() {
        display.pumpEvents();
        plat::Message message;
        while (plat::peekMessage(message, true)) {
            if (!window->PreTranslateMessage(message)) plat::dispatchMessage(message);
        }
    }
    uint32_t shown(plat::gdi::Point at) const {
        return static_cast<plat::HeadlessWindow*>(window->GetFace())->shownPixel(at.x, at.y);
    }

    plat::HeadlessDisplay display;
    mfxMenu menu;
    std::unique_ptr<FrameworkWindow> window;
};

}  // namespace testfw
