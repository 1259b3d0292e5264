#pragma once
// Frame animations played to their end before the call returns: a sprite of the shape runs
// its script once, the screen is updated for each step and the call waits on the program's
// clock for the next one. Screens play their opening animations with it. User-interface
// thread only.
#include "engine/gfx/sprites/SprLayer.h"

// Waits until the clock reaches `due`. The default blocks on the program's clock; tests that
// drive a fake clock install one that moves it.
using SprAnimationWait = void (*)(u32 due);
void sprSetAnimationWait(SprAnimationWait wait);

// 0 when the animation ran to its end, 1 when the shape cannot be played. The owner callback
// (may be null) receives the sprite's events.
u16 PlayAnimationSync(SprOwnerCallback owner, u16 shape);
u16 PlayAnimation(u16 shape);
