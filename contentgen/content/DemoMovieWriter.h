#pragma once
// The demonstration movies the getting-started dialog and the help pages play: still pictures
// drawn by the art painter, each held for its own length (one JPEG sample each, so a movie of
// seconds stays a few kilobytes), and an optional synthesized sound from the start, written as
// a .mov by the movie runtime's own flattener. A manifest:
//   { "file": "GetStartedEasel.mov", "size": [w, h],
//     "frames": [ { "ms": 800, "ops": [ art operations ], "over": [ art operations ] }, ... ],
//     "sound": { synth spec (SoundSynth.h) } }
// A movie tells a story step by step, so each frame builds on the ones before: a frame shows
// the "ops" of every frame so far, then its own "over" (the pointer, a pressed button, an open
// dialog), which the next frame no longer shows. Either list may be left out.
// Throws ArtError for a malformed manifest and std::runtime_error when the flattener fails.
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "contentgen/content/ArtPainter.h"
#include "engine/base/EngineTypes.h"

// Demonstration movies are installed here, relative to the program folder (the program's
// demonstration folder).
constexpr const char* kDemoMovieFolder = "Movies";
constexpr int kDemoMovieMaxSide = 640;
constexpr int kDemoMovieMaxFrames = 32;
constexpr int kDemoMovieMaxFrameMs = 10000;

std::vector<u8> writeDemoMovie(const nlohmann::json& manifest, const ArtPainter& painter);
