#include "engine/gfx/sprites/SprScreen.h"

namespace {
SprScreen* installed = nullptr;
}  // namespace

SprScreen* sprScreen() { return installed; }
void sprSetScreen(SprScreen* screen) { installed = screen; }
