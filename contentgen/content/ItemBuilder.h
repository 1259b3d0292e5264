#pragma once
// One content item's archive from its manifest:
//   "pictures": [{ "id", "size"?, "art" }]            → 'tBMP' (800 x 600 unless sized)
//   "groups":   [{ "id", "shapes": [shape, ...] }]     → 'tBMH', 'REGS' id and id + 1, and a
//               'tSCR' per shape; shape numbers run on from the group id without gaps (the
//               sprite layer registers every consecutive script), gaps get empty scripts
//   "regions":  [{ "id", "size", "art" }]             → 'MRGN', the art's opaque area
//   "sounds":   [{ "id", "synth", ... }]               → 'tWAV' (IMA ADPCM); or spoken:
//               { "id", "speak": text } or { "id", "speakKey": "Section/Key" }, "voice"?
//               (espeak-ng's voice; the item's language by default), "halfRate"? (kept at
//               half the engine's rate), all of one voice spoken in manifest order by one engine;
//               or a tune { "id", "midi": {...} } (MidiMusic.h), a MIDI sound under 'tWAV'
//   "strings":  [{ "id", "key" }]                      → 'tSTR'
//   "mainMenu": true                                  → 'MENU' 128, the main window's menu bar
//   "dialogs": the framework's 'DLOG'
// Pictures and sounds with "loadAtOpen": true are read as soon as the archive opens.
// A shape: { "id"?, "at"?, "play": "still" | "parts" | "animation", "ms"?, "sound"?: { "id",
// "slot"? }, "frames": [...] };
// a frame: { "art", "size", "anchor"? } or { "button": {...} } (four frames) or
// { "emoji", "size" } or { "use", "size" }, each with its own "at" for parts.
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "contentgen/content/ArchiveImage.h"
#include "contentgen/content/ContentContext.h"
#include "contentgen/content/SpeechSynth.h"

// The texts the item's sounds speak, by voice, in manifest order.
using SpokenTexts = std::map<std::string, std::vector<std::string>>;
SpokenTexts itemSpokenTexts(const nlohmann::json& item, const ContentContext& context, Language language);
// Those texts' sounds, by voice, in the same order.
using SpokenSounds = std::map<std::string, std::vector<SpokenSound>>;

// Throws ArtError (or the json library's errors) for a manifest it cannot build.
ArchiveImage buildItemArchive(const nlohmann::json& item, const ContentContext& context, Language language,
                              const SpokenSounds& said);
