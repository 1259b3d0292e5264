#pragma once
// AIFF images: "FORM", length, "AIFF", then "COMM" (channels, frames, sample size, 80-bit
// rate), "SSND" (offset, block size, big-endian signed samples) and optionally "MARK" and
// "INST" (the sustain loop's marker ids). Reading accepts 8- and 16-bit samples in one or
// two channels; the header writer makes 16-bit images, with the loop as two markers when there is one.
#include <span>
#include <vector>

#include "sound/import/ImportedSound.h"

bool isAiffImage(std::span<const u8> image);
u16 readAiffShape(std::span<const u8> image, ImportedShape* shape);
u16 readAiff(std::span<const u8> image, ImportedSound* sound);

struct AiffLoop {
    u32 start = 0;
    u32 end = 0;
};
// Everything up to the first sample: FORM, COMM, the loop's MARK and INST, SSND's fields.
std::vector<u8> writeAiffHeader(u32 rate, u16 channels, u32 frames, const AiffLoop* loop);
