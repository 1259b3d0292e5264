#pragma once
// The archive wave ('tWAV'): a big-endian chunked image, "KVRW", the image length, "WAVE",
// then chunks (tag, u32 length of the data after the 8-byte chunk header, data). "Data" is
// the last chunk read; its length counts its 20 bytes of fields and the samples, so the
// sample bytes are its length minus 20, the rule both the reader and the writer follow.
//
// The reader pulls bytes through a callback so that a wave streamed from its archive file
// is read the same way as one in memory; every chunk must lie inside the resource.
#include <array>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"

constexpr FourCC kArchiveMagic = fourCC("KVRW");
constexpr FourCC kWaveForm = fourCC("WAVE");
constexpr FourCC kWaveDataChunk = fourCC("Data");
constexpr FourCC kWaveCueChunk = fourCC("Cue#");
constexpr FourCC kWaveTextChunk = fourCC("Text");
constexpr FourCC kWaveAdpcmChunk = fourCC("ADPC");
constexpr u32 kWaveHeaderBytes = 12;
constexpr u32 kWaveChunkHeaderBytes = 8;
constexpr u32 kWaveDataFieldBytes = 20;

constexpr u16 kWaveEncodingPcm = 0;
constexpr u16 kWaveEncodingImaAdpcm = 1;

struct WaveCue {
    u32 frame = 0;
    std::string name;
    bool operator==(const WaveCue&) const = default;
};

struct WaveChunk {
    FourCC tag = 0;
    std::vector<u8> data;
    bool operator==(const WaveChunk&) const = default;
};

// Everything of a wave but its samples, which stay where they are stored.
struct ArchiveWaveInfo {
    u16 sampleRate = 0;
    u32 frames = 0;
    u8 bits = 16;
    u8 channels = 1;
    u16 encoding = kWaveEncodingPcm;
    u16 loopCount = 0;
    u32 loopStart = 0;
    u32 loopEnd = 0;
    std::vector<WaveCue> cues;
    // Chunks other than "Cue#", "Text" and "Data", in file order, for the decoder to claim.
    std::vector<WaveChunk> extraChunks;
    u32 sampleOffset = 0;  // from the start of the image
    u32 sampleBytes = 0;
};

// Reads `count` bytes at `offset` of the image into `out`.
using WaveByteReader = std::function<EngineErr(u32 offset, u8* out, u32 count)>;

// 10704 for a wrong magic or form, a missing "Data" chunk or any chunk reaching past
// `resourceSize`; read errors pass through.
EngineErr readArchiveWave(const WaveByteReader& read, u32 resourceSize, ArchiveWaveInfo* info);
EngineErr readArchiveWave(std::span<const u8> image, ArchiveWaveInfo* info);

// The "Cue#" data: a u16 count, then entries (u32 frame, u8 length n, n characters, a pad
// byte when n is even). Data without the count, entries that fill the chunk exactly, is
// read too. False when neither form fits the data.
bool parseWaveCues(std::span<const u8> data, std::vector<WaveCue>* cues);

// The image of a wave: the cues (count written), the extra chunks, then "Data".
std::vector<u8> writeArchiveWave(const ArchiveWaveInfo& info, std::span<const u8> samples);

// Frames x 1000 / rate without overflow; 0 for a rate of 0.
u32 waveDurationMs(u32 frames, u32 rate);
