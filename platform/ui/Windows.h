#pragma once
// Windows: each has a procedure that handles its messages and belongs to the system thread
// that created it; messages posted to it are taken from that thread's queue
// (MessageQueue.h). Only hidden windows exist so far; the display backend will give visible
// ones a surface and feed their input into the queues.
//
// Any thread may look windows up or post to them; a window's procedure runs only on its own
// thread, without any lock of this layer held, so it may create, destroy and post freely.
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/ui/Messages.h"

namespace plat {

using WindowProcedure = std::function<intptr_t(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)>;

struct WindowSpec {
    std::string className;
    std::string title;
    WindowProcedure procedure;
};

// Creates a hidden window owned by the calling thread.
WindowHandle createWindow(WindowSpec spec);
// Sends kMsgDestroy, then removes the window with its timers and posted messages. Only the
// owning thread may destroy a window.
bool destroyWindow(WindowHandle window);
bool isWindow(WindowHandle window);
std::string windowTitle(WindowHandle window);
std::thread::id windowThread(WindowHandle window);
std::vector<WindowHandle> threadWindows(std::thread::id thread);
std::vector<WindowHandle> allWindows();

// Calls the window's procedure at once. Only for windows of the calling thread: a window of
// another thread is not called and the answer is 0.
intptr_t sendMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
// Gives the window a new procedure and returns the one it had (empty for no such window).
// Only the owning thread may replace a window's procedure.
WindowProcedure setWindowProcedure(WindowHandle window, WindowProcedure procedure);
intptr_t defaultWindowProcedure(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);

}  // namespace plat
