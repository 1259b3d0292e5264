#include "engine/gfx/sprites/SprStill.h"

void SprStill::Hold() {
    if (held_) return;
    held_ = sprScreen();
    if (!held_) return;
    ++held_->suspended;
    // A screen that stands still lets the program's loop slow down.
    held_->lastUpdateDrew = 0;
}

void SprStill::Release() {
    if (held_ && held_ == sprScreen() && held_->suspended > 0) --held_->suspended;
    held_ = nullptr;
}
