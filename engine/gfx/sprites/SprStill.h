#pragma once
// A hold on the sprite screen while something is drawn over the window's face that the
// screen's updates would paint their sprites over (a dialog box, an open menu): the screen
// stands still, exposures show it as it was composed last, and what changed meanwhile is drawn
// by the first update after the hold ends. Holds nest; each lets go only of its own, and only
// of the screen it held. User-interface thread only.
#include "engine/gfx/sprites/SprScreen.h"

class SprStill {
public:
    SprStill() = default;
    ~SprStill() { Release(); }
    SprStill(const SprStill&) = delete;
    SprStill& operator=(const SprStill&) = delete;

    // Holds the current screen, once; nothing without a screen.
    void Hold();
    void Release();
    bool Holding() const { return held_ != nullptr; }

private:
    SprScreen* held_ = nullptr;
};
