#pragma once
// The backend of one platform service: the one a test installed, else the one chosen at first
// use, which is the real backend unless headless was asked for (headlessRequested) or the real
// one cannot start, and the headless backend otherwise. Every service makes its choice here,
// so that all of them follow the one headless decision the same way. The installed backend is
// read from any thread; installing is for tests, before the service is used.
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

#include "platform/system/Headless.h"

namespace plat {

template <typename Backend>
class BackendChoice {
public:
    using Maker = std::function<std::unique_ptr<Backend>()>;

    BackendChoice(Maker real, Maker headless) : real_(std::move(real)), headless_(std::move(headless)) {}

    Backend& current() {
        Backend* backend = installed_.load();
        return backend ? *backend : startup();
    }
    void install(Backend* backend) { installed_.store(backend); }

private:
    Backend& startup() {
        std::call_once(once_, [this] {
            if (!headlessRequested()) chosen_ = real_();
            if (!chosen_) chosen_ = headless_();
        });
        return *chosen_;
    }

    Maker real_;
    Maker headless_;
    std::atomic<Backend*> installed_{nullptr};
    std::once_flag once_;
    std::unique_ptr<Backend> chosen_;
};

}  // namespace plat
