#pragma once
// The program's little tunes, written as archive MIDI sounds that the General MIDI
// synthesizer plays: a tempo and tracks of notes, each track on its own channel with its own
// instrument. Stored under the sound type, they play wherever a sound of the content set does.
//   { "id", "midi": { "bpm": 40..240, "tracks": [{ "program": 0..127, "velocity"?: 1..127,
//     "notes": [[key, eighths], ...] }] } }
// A note of key 0 is a rest; a note lasts its number of eighth notes.
// On channel 10 (the tenth track) the keys are percussion.
#include <vector>

#include <nlohmann/json.hpp>

#include "engine/base/EngineTypes.h"

// Ticks per quarter note of the tunes written.
constexpr u16 kTuneDivision = 96;

// Throws std::invalid_argument for a tempo, program, velocity, key or length out of range,
// for no tracks or more than 16, and for a tune longer than a minute.
std::vector<u8> composeMidiTune(const nlohmann::json& spec);
