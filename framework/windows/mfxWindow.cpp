#include "framework/windows/mfxWindow.h"

#include <algorithm>

#include "framework/menus/mfxMenuBar.h"
#include "platform/ui/Windows.h"

namespace {

std::vector<mfxWindow*>& liveWindows() {
    static std::vector<mfxWindow*> windows;
    return windows;
}

}  // namespace

mfxWindow::mfxWindow(const std::string& className, const std::string& title) : className_(className) {
    handle_ = plat::createWindow({className, title, [this](plat::WindowHandle, uint32_t message, uintptr_t wParam,
                                                           intptr_t lParam) { return WindowProc(message, wParam, lParam); }});
    liveWindows().push_back(this);
}

mfxWindow::~mfxWindow() {
    std::erase(liveWindows(), this);
    bar_.reset();
    if (handle_) {
        // The derived parts are gone: the window hears its end without reaching them.
        const plat::WindowHandle handle = handle_;
        handle_ = plat::kNoWindow;
        plat::setWindowProcedure(handle, plat::defaultWindowProcedure);
        plat::destroyWindow(handle);
    }
}

void mfxWindow::SetMenu(mfxMenu* menu) {
    menu_ = menu;
    if (!bar_ && handle_) bar_ = std::make_unique<mfxMenuBar>(handle_);
    if (bar_) bar_->SetMenu(menu);
}

intptr_t mfxWindow::WindowProc(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    switch (message) {
        case plat::kMsgClose:
            if (OnClose() && handle_) plat::destroyWindow(handle_);
            return 0;
        case plat::kMsgPaint:
            OnPaint();
            return 0;
        case plat::kMsgCommand:
            return intptr_t(OnCommand(u32(wParam & 0xFFFF)));
        case plat::kMsgInitMenu:
            OnInitMenu();
            return 0;
        case plat::kMsgDestroy:
            handle_ = plat::kNoWindow;
            OnDestroyed();
            return 0;
    }
    return plat::defaultWindowProcedure(handle_, message, wParam, lParam);
}

bool mfxWindow::PreTranslateMessage(const plat::Message& message) { return bar_ && bar_->PreTranslateMessage(message); }

void mfxWindow::NoteModifiers(const plat::Message& message) {
    if (bar_) bar_->NoteModifiers(message);
}

u32 mfxWindow::OnClose() { return 1; }

void mfxWindow::OnPaint() {}

u32 mfxWindow::OnCommand(u32) { return 0; }

void mfxWindow::OnInitMenu() {}

void mfxWindow::OnTick(u32) {}

void mfxWindow::OnDestroyed() {}

const std::vector<mfxWindow*>& mfxWindow::Windows() { return liveWindows(); }
