#include "framework/windows/mfxQueries.h"

#include <iterator>

#include "framework/windows/mfxDisplayWindow.h"
#include "platform/display/InputDelivery.h"
#include "platform/keyboard/KeyboardState.h"
#include "platform/keyboard/VirtualKeys.h"
#include "platform/ui/MessageQueue.h"

u32 mfxIsKeyDown(u32 key) {
    const plat::KeyboardState& keys = plat::keyboardState();
    switch (key) {
        case kMfxKeyControl: return keys.isDown(plat::kVkControl) ? 1 : 0;
        case kMfxKeyAlt: return keys.isDown(plat::kVkAlt) ? 1 : 0;
        case kMfxKeyShift: return keys.isDown(plat::kVkShift) ? 1 : 0;
    }
    return key <= 0xFF && keys.isDown(u8(key)) ? 1 : 0;
}

u32 mfxIsMouseButtonDown(u32 button) {
    static constexpr uintptr_t kBits[] = {plat::kMouseLeftButton, plat::kMouseRightButton, plat::kMouseMiddleButton};
    if (button >= std::size(kBits)) return 0;
    return (plat::mouseButtonsDown() & kBits[button]) != 0 ? 1 : 0;
}

void mfxFlushKeyboardMessages() { plat::discardMessages(plat::kMsgKeyDown, plat::kMsgSysChar); }

void mfxFlushMouseMessages() { plat::discardMessages(plat::kMsgMouseMove, plat::kMsgMButtonDblClk); }

i16 mfxGetMenuBarHeight() {
    for (const mfxWindow* window : mfxWindow::Windows()) {
        if (window->GetClassName() == kMfxDisplayWindowClass) return window->GetMenu() ? kMfxMenuBarHeight : 0;
    }
    return 0;
}
