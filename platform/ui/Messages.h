#pragma once
// Window messages as the program expects them: a window, a message number and two
// pointer-sized parameters. The numbers are the ones the program stores and compares.
#include <cstdint>

namespace plat {

using WindowHandle = uintptr_t;
constexpr WindowHandle kNoWindow = 0;

constexpr uint32_t kMsgDestroy = 0x0002;
constexpr uint32_t kMsgActivate = 0x0006;
constexpr uint32_t kMsgPaint = 0x000F;
constexpr uint32_t kMsgClose = 0x0010;
constexpr uint32_t kMsgQuit = 0x0012;
constexpr uint32_t kMsgActivateApp = 0x001C;
constexpr uint32_t kMsgFontChange = 0x001D;
constexpr uint32_t kMsgDisplayChange = 0x007E;
constexpr uint32_t kMsgKeyDown = 0x0100;
constexpr uint32_t kMsgKeyUp = 0x0101;
constexpr uint32_t kMsgChar = 0x0102;
constexpr uint32_t kMsgSysKeyDown = 0x0104;
constexpr uint32_t kMsgSysKeyUp = 0x0105;
constexpr uint32_t kMsgSysChar = 0x0106;
constexpr uint32_t kMsgCommand = 0x0111;
constexpr uint32_t kMsgTimer = 0x0113;
// The menu bar is about to be used (an accelerator, a menu opening): item states may change first.
constexpr uint32_t kMsgInitMenu = 0x0116;
constexpr uint32_t kMsgMouseMove = 0x0200;
constexpr uint32_t kMsgLButtonDown = 0x0201;
constexpr uint32_t kMsgLButtonUp = 0x0202;
constexpr uint32_t kMsgLButtonDblClk = 0x0203;
constexpr uint32_t kMsgRButtonDown = 0x0204;
constexpr uint32_t kMsgRButtonUp = 0x0205;
constexpr uint32_t kMsgRButtonDblClk = 0x0206;
constexpr uint32_t kMsgMButtonDown = 0x0207;
constexpr uint32_t kMsgMButtonUp = 0x0208;
constexpr uint32_t kMsgMButtonDblClk = 0x0209;
constexpr uint32_t kMsgDeviceChange = 0x0219;
// The first number left to the program's own messages.
constexpr uint32_t kMsgUser = 0x0400;

// Button and modifier bits in the wParam of mouse messages.
constexpr uintptr_t kMouseLeftButton = 0x01;
constexpr uintptr_t kMouseRightButton = 0x02;
constexpr uintptr_t kMouseShift = 0x04;
constexpr uintptr_t kMouseControl = 0x08;
constexpr uintptr_t kMouseMiddleButton = 0x10;

struct Message {
    WindowHandle window = kNoWindow;
    uint32_t message = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
    uint32_t time = 0;  // the program clock when it was posted or produced
};

}  // namespace plat
