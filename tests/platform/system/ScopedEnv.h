#pragma once
// Sets an environment variable (or removes it for nullopt) for one scope.
#include <cstdlib>
#include <optional>
#include <string>

namespace plat {

// Sets an environment variable (or removes it for nullopt) for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) saved_ = old;
        if (value) setenv(name, value->c_str(), 1);
        else unsetenv(name);
    }
    ~ScopedEnv() {
        if (saved_) setenv(name_, saved_->c_str(), 1);
        else unsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<std::string> saved_;
};

}  // namespace plat
