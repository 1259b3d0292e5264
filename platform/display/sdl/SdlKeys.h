#pragma once
// What a physical key is called towards the program: its virtual key as it is marked on a US
// keyboard, and its PC keyboard scan code (set 1, the code a key record carries).
#include <SDL.h>

#include <cstdint>

namespace plat {

// 0 for keys the program does not know.
uint8_t virtualKeyOfScancode(SDL_Scancode scancode);
// The key's set 1 make code; an extended key (the arrows, the editing keys, the right Control
// and Alt, the keypad's Enter and slash) answers its code without the extended prefix. 0 for a
// key without one.
uint8_t setOneScanCodeOf(SDL_Scancode scancode);
// The X server's code of the key at that place (the evdev numbering X servers use: the set 1 code
// plus 8), for the keys that may type; 0 for the arrows and editing keys and keys without one.
uint32_t xKeyCodeOf(SDL_Scancode scancode);

}  // namespace plat
