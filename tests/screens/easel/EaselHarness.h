#pragma once
// The running program with "Maya" logged in on the real easel, for the tests of what the shell
// and its menus send the easel. The easel's entry animation plays to its end: each of its
// waits moves the fake clock on.
#include "engine/gfx/sprites/PlayAnimation.h"
#include "screens/easel/REasel.h"
#include "tests/app/harness/ScreenHarness.h"

namespace testscreens {

class EaselHarness : public testapp::ScreenHarness {
protected:
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
    }

    Ostrel::REasel* easel = nullptr;

private:
    static void waitByMovingTheClock(u32 due) {
        const u32 now = gClock->millis();
        if (i32(due - now) > 0) gClock->advance(due - now);
    }
    static inline plat::FakeClock* gClock = nullptr;
};

}  // namespace testscreens
