#include "engine/gfx/sprites/PlayAnimation.h"

#include "platform/clock/Clock.h"
#include "platform/clock/ClockWaiter.h"

namespace {

constexpr u16 kAnimationFailed = 1;
constexpr u32 kAnimationFlags = kSprStopAtEnd | kSprAboveAll;

void waitOnClock(u32 due) {
    plat::ClockWaiter waiter;
    while (i32(plat::clockMillis() - due) < 0) waiter.waitUntil(due);
}

SprAnimationWait animationWait = waitOnClock;

}  // namespace

void sprSetAnimationWait(SprAnimationWait wait) { animationWait = wait ? wait : waitOnClock; }

u16 PlayAnimationSync(SprOwnerCallback owner, u16 shape) {
    SprScreen* screen = sprScreen();
    if (!screen || screen->updating) return kAnimationFailed;
    u16 status = 0;
    u16 id = sprNewWithCallback(kAnimationFlags, shape, nullptr, owner, 0, 0);
    SprSprite* s = sprFind(id);
    if (!s) return kAnimationFailed;
    s->status = &status;
    sprUpdateScreen(1);
    // The owner may already have removed the sprite in its first step.
    s = sprFind(id);
    if (!s) return 0;
    if (s->range < 0) {
        sprDispose(&id);
        return kAnimationFailed;
    }
    // The owner may remove the sprite; the animation ends with it.
    while ((s = sprFind(id)) != nullptr && status != kSprStatusStopped && s->hasShape) {
        animationWait(s->nextStepTime);
        sprUpdateScreen(1);
    }
    if (s) {
        s->status = nullptr;
        sprDispose(&id);
        sprUpdateScreen(1);
    }
    return 0;
}

u16 PlayAnimation(u16 shape) { return PlayAnimationSync(nullptr, shape); }
