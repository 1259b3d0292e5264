#pragma once
// Sound files and recorded PCM made into archive waves. Every import is stored the one way
// every archive wave plays: IMA ADPCM of 16-bit samples, mono or stereo, at the file's own
// rate. 8-bit samples are widened, MS ADPCM is decoded first; what no archive wave can hold
// (more than two channels, other sample sizes, rates outside 1000-65535 Hz) is refused, never
// stored unplayable. The input is only read; the result is a new image.
#include <span>
#include <vector>

#include "engine/base/EngineTypes.h"

// Conversion flags.
constexpr u16 kImportLoopWhole = 0x01;
constexpr u16 kImportNoLoop = 0x02;
constexpr u16 kImportCompress = 0x04;  // asked by every caller; without it nothing is made

// An AIFF or WAVE image. AIFF markers become cues, its sustain loop the wave's loop (unless a
// flag overrides), and every cue and loop point gets a decoder state so playing may start there.
u16 ConvertSoundFileToArchiveWave(std::span<const u8> image, u16 flags, std::vector<u8>* wave);
// Little-endian 16-bit or unsigned 8-bit PCM as a recorder delivers it.
u16 ConvertPcmToArchiveWave(std::span<const u8> samples, u16 bits, u16 channels, u32 rate, u16 flags,
                            std::vector<u8>* wave);
// An upper bound of the converted size, from the headers alone; 0 without the compress flag.
u16 EstimateConvertedSize(std::span<const u8> image, u16 compress, u32* size);
