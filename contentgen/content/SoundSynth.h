#pragma once
// The program's little sounds, made at build time from a few voices: a click, a pop, a
// chime of bell partials, a rising or falling blip, a whoosh of filtered noise, a pencil
// scribble, sparkles and a gentle "no" buzz; a mix sounds several of them together. Noise
// comes from a fixed generator, so a sound is the same on every run. Mono 16-bit samples at
// kSynthRate.
#include <vector>

#include <nlohmann/json.hpp>

#include "engine/base/EngineTypes.h"

constexpr u32 kSynthRate = 22050;

// { "synth": kind, "ms": length, "freq": Hz, "to": Hz (blips), "gain": 0..1, "seed": n }; a
// mix has "parts", each a sound of its own with its start "at" (ms).
// Throws std::invalid_argument for an unknown kind, a length outside 1..10000 ms or a part
// starting outside 0..10000 ms.
std::vector<i16> synthesizeSound(const nlohmann::json& spec);
