#include "platform/ui/MessageQueue.h"

#include <algorithm>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/clock/Clock.h"
#include "platform/clock/ClockWaiter.h"
#include "platform/ui/Windows.h"

namespace plat {
namespace {

struct Timer {
    WindowHandle window;
    uintptr_t id;
    uint32_t period;
    uint32_t due;
};

struct ThreadQueue {
    std::mutex mutex;  // guards posted and timers
    std::deque<Message> posted;
    std::vector<Timer> timers;
    ClockWaiter waiter;
    // Only the owning thread touches the hooks.
    std::vector<std::pair<int, GetMessageHook>> hooks;
    int nextHook = 1;
};

struct QueueRegistry {
    std::mutex mutex;
    std::map<std::thread::id, std::shared_ptr<ThreadQueue>> queues;
};

QueueRegistry& registry() {
    static auto* instance = new QueueRegistry();  // outlives every static destructor
    return *instance;
}

// Shared: a poster may still hold the queue of a thread that is ending.
std::shared_ptr<ThreadQueue> queueOf(std::thread::id thread) {
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    auto& queue = r.queues[thread];
    if (!queue) queue = std::make_shared<ThreadQueue>();
    return queue;
}

// The thread's own queue, forgotten when the thread ends so that a later thread with the
// same id starts empty.
struct OwnQueue {
    std::shared_ptr<ThreadQueue> queue = queueOf(std::this_thread::get_id());
    ~OwnQueue() {
        auto& r = registry();
        std::lock_guard lock(r.mutex);
        r.queues.erase(std::this_thread::get_id());
    }
};

ThreadQueue& ownQueue() {
    thread_local OwnQueue own;
    return *own.queue;
}

void post(ThreadQueue& queue, const Message& message) {
    {
        std::lock_guard lock(queue.mutex);
        queue.posted.push_back(message);
    }
    queue.waiter.wake();
}

std::optional<Message> take(ThreadQueue& queue, bool remove) {
    std::lock_guard lock(queue.mutex);
    if (!queue.posted.empty()) {
        Message message = queue.posted.front();
        if (remove) queue.posted.pop_front();
        return message;
    }
    const uint32_t now = clockMillis();
    Timer* earliest = nullptr;
    for (Timer& timer : queue.timers) {
        if (clockReached(now, timer.due) && (!earliest || int32_t(timer.due - earliest->due) < 0)) earliest = &timer;
    }
    if (!earliest) return std::nullopt;
    if (remove) earliest->due = now + earliest->period;
    return Message{earliest->window, kMsgTimer, earliest->id, 0, now};
}

void runHooks(ThreadQueue& queue, Message& message) {
    const auto hooks = queue.hooks;  // a hook may add or remove hooks
    for (auto it = hooks.rbegin(); it != hooks.rend(); ++it) it->second(message);
}

}  // namespace

bool postMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    const std::thread::id owner = windowThread(window);
    if (owner == std::thread::id()) return false;
    post(*queueOf(owner), Message{window, message, wParam, lParam, clockMillis()});
    return true;
}

bool postThreadMessage(std::thread::id thread, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    post(*queueOf(thread), Message{kNoWindow, message, wParam, lParam, clockMillis()});
    return true;
}

void postQuitMessage(int exitCode) {
    post(ownQueue(), Message{kNoWindow, kMsgQuit, uintptr_t(exitCode), 0, clockMillis()});
}

bool peekMessage(Message& out, bool remove) {
    ThreadQueue& queue = ownQueue();
    std::optional<Message> message = take(queue, remove);
    if (!message) return false;
    if (remove) runHooks(queue, *message);
    out = *message;
    return true;
}

bool getMessage(Message& out) {
    while (!peekMessage(out, true)) waitForMessage();
    return out.message != kMsgQuit;
}

intptr_t dispatchMessage(const Message& message) {
    if (message.window == kNoWindow) return 0;
    return sendMessage(message.window, message.message, message.wParam, message.lParam);
}

void waitForMessage() {
    ThreadQueue& queue = ownQueue();
    std::optional<uint32_t> deadline;
    {
        std::lock_guard lock(queue.mutex);
        if (!queue.posted.empty()) return;
        const uint32_t now = clockMillis();
        for (const Timer& timer : queue.timers) {
            if (!deadline || int32_t(timer.due - now) < int32_t(*deadline - now)) deadline = timer.due;
        }
    }
    queue.waiter.waitUntil(deadline);
}

void wakeThread(std::thread::id thread) { queueOf(thread)->waiter.wake(); }

int addGetMessageHook(GetMessageHook hook) {
    ThreadQueue& queue = ownQueue();
    const int id = queue.nextHook++;
    queue.hooks.emplace_back(id, std::move(hook));
    return id;
}

void removeGetMessageHook(int hook) {
    auto& hooks = ownQueue().hooks;
    hooks.erase(std::remove_if(hooks.begin(), hooks.end(), [hook](auto& h) { return h.first == hook; }), hooks.end());
}

bool setTimer(WindowHandle window, uintptr_t id, uint32_t periodMs) {
    if (windowThread(window) != std::this_thread::get_id()) return false;
    periodMs = std::max<uint32_t>(periodMs, 1);
    ThreadQueue& queue = ownQueue();
    std::lock_guard lock(queue.mutex);
    const Timer timer{window, id, periodMs, clockMillis() + periodMs};
    auto same = std::find_if(queue.timers.begin(), queue.timers.end(),
                             [&](const Timer& t) { return t.window == window && t.id == id; });
    if (same != queue.timers.end()) {
        *same = timer;
    } else {
        queue.timers.push_back(timer);
    }
    return true;
}

bool killTimer(WindowHandle window, uintptr_t id) {
    ThreadQueue& queue = ownQueue();
    std::lock_guard lock(queue.mutex);
    const auto before = queue.timers.size();
    std::erase_if(queue.timers, [&](const Timer& t) { return t.window == window && t.id == id; });
    return queue.timers.size() != before;
}

void postAppActivation(bool active) {
    for (WindowHandle window : allWindows()) postMessage(window, kMsgActivateApp, active ? 1 : 0, 0);
}

void discardWindowMessages(WindowHandle window) {
    ThreadQueue& queue = ownQueue();
    std::lock_guard lock(queue.mutex);
    std::erase_if(queue.posted, [&](const Message& m) { return m.window == window; });
    std::erase_if(queue.timers, [&](const Timer& t) { return t.window == window; });
}

void discardMessages(uint32_t first, uint32_t last) {
    ThreadQueue& queue = ownQueue();
    std::lock_guard lock(queue.mutex);
    std::erase_if(queue.posted, [&](const Message& m) { return m.message >= first && m.message <= last; });
}

}  // namespace plat
