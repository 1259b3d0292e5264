#pragma once
// The running program with "Maya" logged in on the real easel, for the tests of what the shell
// and its menus send the easel. The easel's entry animation plays to its end: each of its
// waits moves the fake clock on. The desktop's home folder is a scratch one, with a Pictures
// folder where pictures from outside the program are found.
#include <filesystem>
#include <optional>

#include "document/users/EnginePath.h"
#include "engine/gfx/sprites/PlayAnimation.h"
#include "screens/easel/REasel.h"
#include "tests/app/harness/ScreenHarness.h"
#include "tests/platform/system/ScopedEnv.h"

namespace testscreens {

class EaselHarness : public testapp::ScreenHarness {
protected:
    void SetUp() override {
        ScreenHarness::SetUp();
        std::filesystem::create_directories(root_ + "/home/Pictures");
        home_.emplace("HOME", root_ + "/home");
        desktopSettings_.emplace("XDG_CONFIG_HOME", std::nullopt);
    }
    // The desktop's pictures folder (engine text, with its separator), where Add a Picture and
    // Import a Background open.
    std::string desktopPictures() const { return Ostrel::engineTextOfHostFolder(root_ + "/home/Pictures") + "\\"; }
    void enterEasel() {
        gClock = &clock_.clock();
        sprSetAnimationWait(waitByMovingTheClock);
        start(false, [](u32 code) -> std::unique_ptr<Ostrel::RModule> {
            if (code == Ostrel::kScreenEasel) return std::make_unique<Ostrel::REasel>();
            return nullptr;
        });
        logIn("Maya");
        settle();
        easel = dynamic_cast<Ostrel::REasel*>(app->GetCurrentModule());
        ASSERT_NE(easel, nullptr);
    }
    void TearDown() override {
        ScreenHarness::TearDown();
        sprSetAnimationWait(nullptr);
        gClock = nullptr;
        desktopSettings_.reset();
        home_.reset();
    }

    Ostrel::REasel* easel = nullptr;

private:
    std::optional<plat::ScopedEnv> home_;
    std::optional<plat::ScopedEnv> desktopSettings_;
    static void waitByMovingTheClock(u32 due) {
        const u32 now = gClock->millis();
        if (i32(due - now) > 0) gClock->advance(due - now);
    }
    static inline plat::FakeClock* gClock = nullptr;
};

}  // namespace testscreens
