#pragma once
// The virtual key of a physical key as it is marked on a US keyboard; 0 for keys the program
// does not know.
#include <SDL.h>

#include <cstdint>

namespace plat {

uint8_t virtualKeyOfScancode(SDL_Scancode scancode);

}  // namespace plat
