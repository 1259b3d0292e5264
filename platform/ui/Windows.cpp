#include "platform/ui/Windows.h"

#include <map>
#include <mutex>
#include <utility>

#include "platform/ui/MessageQueue.h"

namespace plat {
namespace {

struct WindowRecord {
    std::thread::id thread;
    WindowSpec spec;
    bool destroying = false;
};

struct WindowRegistry {
    std::mutex mutex;
    std::map<WindowHandle, WindowRecord> windows;
    WindowHandle next = 1;
};

WindowRegistry& registry() {
    static auto* instance = new WindowRegistry();  // outlives every static destructor
    return *instance;
}

template <typename Result, typename Read>
Result withWindow(WindowHandle window, Result otherwise, Read&& read) {
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    auto found = r.windows.find(window);
    return found == r.windows.end() ? otherwise : read(found->second);
}

}  // namespace

WindowHandle createWindow(WindowSpec spec) {
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    const WindowHandle handle = r.next++;
    r.windows.emplace(handle, WindowRecord{std::this_thread::get_id(), std::move(spec)});
    return handle;
}

bool destroyWindow(WindowHandle window) {
    if (windowThread(window) != std::this_thread::get_id()) return false;
    // A procedure that destroys its own window while hearing that it is destroyed is told once.
    const bool alreadyGoing = withWindow(window, true, [](WindowRecord& w) { return std::exchange(w.destroying, true); });
    if (alreadyGoing) return false;
    sendMessage(window, kMsgDestroy, 0, 0);
    {
        auto& r = registry();
        std::lock_guard lock(r.mutex);
        r.windows.erase(window);
    }
    discardWindowMessages(window);
    return true;
}

bool isWindow(WindowHandle window) {
    return withWindow(window, false, [](const WindowRecord&) { return true; });
}

std::string windowTitle(WindowHandle window) {
    return withWindow(window, std::string(), [](const WindowRecord& w) { return w.spec.title; });
}

std::thread::id windowThread(WindowHandle window) {
    return withWindow(window, std::thread::id(), [](const WindowRecord& w) { return w.thread; });
}

std::vector<WindowHandle> threadWindows(std::thread::id thread) {
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    std::vector<WindowHandle> found;
    for (auto& [handle, record] : r.windows) {
        if (record.thread == thread) found.push_back(handle);
    }
    return found;
}

std::vector<WindowHandle> allWindows() {
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    std::vector<WindowHandle> found;
    for (auto& [handle, record] : r.windows) found.push_back(handle);
    return found;
}

intptr_t sendMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    const WindowProcedure procedure = withWindow(window, WindowProcedure(), [](const WindowRecord& w) {
        return w.thread == std::this_thread::get_id() ? w.spec.procedure : WindowProcedure();
    });
    if (!procedure) return 0;
    return procedure(window, message, wParam, lParam);
}

WindowProcedure setWindowProcedure(WindowHandle window, WindowProcedure procedure) {
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    auto found = r.windows.find(window);
    if (found == r.windows.end() || found->second.thread != std::this_thread::get_id()) return WindowProcedure();
    return std::exchange(found->second.spec.procedure, std::move(procedure));
}

intptr_t defaultWindowProcedure(WindowHandle, uint32_t, uintptr_t, intptr_t) { return 0; }

}  // namespace plat
