#include "platform/system/Headless.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/platform/system/ScopedEnv.h"

namespace plat {
namespace {

TEST(Headless, AskedForOrWithoutADisplay) {
    using Value = std::optional<std::string>;
    struct Case {
        Value headless, x11, wayland;
        bool expected;
    } cases[] = {
        {"1", ":0", "wayland-0", true},
        {std::nullopt, ":0", std::nullopt, false},
        {std::nullopt, std::nullopt, "wayland-0", false},
        {"0", ":0", std::nullopt, false},
        {"", ":0", std::nullopt, false},
        {"11", ":0", std::nullopt, false},
        {std::nullopt, std::nullopt, std::nullopt, true},
        {std::nullopt, "", "", true},
        {"0", std::nullopt, std::nullopt, true},
    };
    for (const Case& c : cases) {
        ScopedEnv headless("TUMBLO_HEADLESS", c.headless);
        ScopedEnv x11("DISPLAY", c.x11);
        ScopedEnv wayland("WAYLAND_DISPLAY", c.wayland);
        EXPECT_EQ(headlessRequested(), c.expected)
            << "TUMBLO_HEADLESS=" << c.headless.value_or("(unset)") << " DISPLAY=" << c.x11.value_or("(unset)")
            << " WAYLAND_DISPLAY=" << c.wayland.value_or("(unset)");
    }
}

}  // namespace
}  // namespace plat
