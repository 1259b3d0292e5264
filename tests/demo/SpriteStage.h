#pragma once
// The sprite layer on a demonstration screen: an archive made here (a backdrop picture and a
// group of animated round shapes), the layer started over the screen's offscreen picture and
// window port, the backdrop shown and a grid of animated sprites over it. Each frame steps
// the sprites and copies the dirty rectangles to the window. User-interface thread only.
#include <memory>
#include <string>

#include "DemoScreen.h"
#include "engine/gfx/sprites/SprScreen.h"

class SpriteStage {
public:
    // Null, with the reason in `whyNot`, when the layer or its content cannot be set up.
    static std::unique_ptr<SpriteStage> open(DemoScreen& screen, u16 sprites, std::string* whyNot);
    ~SpriteStage();
    SpriteStage(const SpriteStage&) = delete;
    SpriteStage& operator=(const SpriteStage&) = delete;

    void frame();

private:
    explicit SpriteStage(DemoScreen& screen) : screen_(screen) {}

    DemoScreen& screen_;
    SprScreen state_{};
    bool resourcesStarted_ = false;
    bool layerStarted_ = false;
};

// The RGB555 word of the backdrop at (x, y).
u16 stageBackdropWord(i32 x, i32 y);
