#pragma once
// The sample data of an archive wave, where it lies in the image, and the way back out of
// the archive: an IMA ADPCM wave decoded into a 16-bit AIFF file, chunk by chunk, for
// exporting sounds to programs that know only common formats.
#include <span>
#include <vector>

#include "engine/audio/format/AdpcmSeekTable.h"
#include "engine/audio/format/ArchiveWave.h"

constexpr u16 kArchiveWaveNoData = 0xFFFF;

struct ArchiveWaveData {
    std::span<const u8> samples;
    u32 frames = 0;
    u16 bits = 0;
    u16 channels = 0;
    u32 rate = 0;
};

// kArchiveWaveNoData when the image is empty or no readable archive wave.
u16 ParseArchiveWaveData(std::span<const u8> image, ArchiveWaveData* data);

// The chunked export. The image must outlive the state.
struct AdpcmDecodeState {
    std::span<const u8> image;
    ArchiveWaveInfo info;
    u32 chunkBytes = 0;
    u32 nextFrame = 0;
    bool headerDone = false;
    bool finished = true;
    ImaChannelState channels[2];
};

// Starts an export in chunks of about `chunkBytes` (rounded down to a multiple of 4, at least 4).
// Refuses (kArchiveWaveNoData) anything but a readable IMA ADPCM archive wave.
u16 AdpcmDecodeStart(std::span<const u8> image, u32 chunkBytes, AdpcmDecodeState* state);
// The next piece of the AIFF file, the first with its header; false when all was given.
bool AdpcmDecodeNext(AdpcmDecodeState* state, std::vector<u8>* chunk);
// The whole AIFF file at once.
u16 ExportArchiveWaveToAiff(std::span<const u8> image, std::vector<u8>* aiff);
