#pragma once
// RIFF WAVE images: "RIFF", length, "WAVE", then "fmt " and "data" (and "fact", whose frame
// count bounds MS ADPCM data). Accepted: PCM with 8-bit unsigned or 16-bit little-endian
// samples, and MS ADPCM (format 2), decoded here; one or two channels.
#include <span>

#include "sound/import/ImportedSound.h"

bool isWaveImage(std::span<const u8> image);
u16 readWaveShape(std::span<const u8> image, ImportedShape* shape);
u16 readWave(std::span<const u8> image, ImportedSound* sound);
