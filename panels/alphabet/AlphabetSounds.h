#pragma once
// The spoken name of each place of the alphabet strip, a 'tWAV' of the tool panels' content:
// the capitals 0-25 say their letter, the small letters 26-51 share the capitals' sounds, then
// the digits and signs of the default set, and every place past the signs says "symbol".
#include "engine/base/EngineTypes.h"

namespace Ostrel {

constexpr u16 kAlphabetFirstSound = 22000;
constexpr u16 kAlphabetSymbolSound = 22042;

u16 AlphabetSoundId(int item);

}  // namespace Ostrel
