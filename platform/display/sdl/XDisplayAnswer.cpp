#include "platform/display/sdl/XDisplayAnswer.h"

#include <X11/Xlib.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace plat {
namespace {

// Shared with the asking thread, which may outlive the question.
struct Asking {
    std::mutex lock;
    std::condition_variable told;
    std::optional<XDisplayAnswer> answer;
};

}  // namespace

XDisplayAnswer askXDisplay(std::chrono::milliseconds deadline) {
    auto asking = std::make_shared<Asking>();
    std::thread connecting([asking] {
        ::Display* display = XOpenDisplay(nullptr);
        if (display) XCloseDisplay(display);
        const std::lock_guard<std::mutex> hold(asking->lock);
        asking->answer = display ? XDisplayAnswer::kAnswered : XDisplayAnswer::kRefused;
        asking->told.notify_one();
    });
    std::unique_lock<std::mutex> hold(asking->lock);
    const bool answered = asking->told.wait_for(hold, deadline, [&] { return asking->answer.has_value(); });
    hold.unlock();
    if (!answered) {
        connecting.detach();
        return XDisplayAnswer::kSilent;
    }
    connecting.join();
    return *asking->answer;
}

}  // namespace plat
