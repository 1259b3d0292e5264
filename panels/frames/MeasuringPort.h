#pragma once
// Measuring text needs a current port: the screen's work port is current while one lives.
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/sprites/SprLayer.h"

namespace Ostrel {

class MeasuringPort {
public:
    MeasuringPort() : previous_(sprScreen() ? gfxSetPort(sprScreen()->workPort) : nullptr) {}
    ~MeasuringPort() {
        if (sprScreen()) gfxSetPort(previous_);
    }
    MeasuringPort(const MeasuringPort&) = delete;
    MeasuringPort& operator=(const MeasuringPort&) = delete;

private:
    GfxPort* previous_;
};

}  // namespace Ostrel
