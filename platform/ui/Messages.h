#pragma once
// Window messages as the program expects them: a window, a message number and two
// pointer-sized parameters. The numbers are the ones the program stores and compares.
#include <cstdint>

namespace plat {

using WindowHandle = uintptr_t;
constexpr WindowHandle kNoWindow = 0;

constexpr uint32_t kMsgDestroy = 0x0002;
constexpr uint32_t kMsgQuit = 0x0012;
constexpr uint32_t kMsgActivateApp = 0x001C;
constexpr uint32_t kMsgTimer = 0x0113;
constexpr uint32_t kMsgDeviceChange = 0x0219;
// The first number left to the program's own messages.
constexpr uint32_t kMsgUser = 0x0400;

struct Message {
    WindowHandle window = kNoWindow;
    uint32_t message = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
    uint32_t time = 0;  // the program clock when it was posted or produced
};

}  // namespace plat
