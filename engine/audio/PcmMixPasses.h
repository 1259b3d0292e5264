#pragma once
// How one mixer channel reaches the output: one or two passes, each a kernel pair with its
// offsets, strides, gain and 8-bit gain table. Passes are rebuilt only when the volume, the
// balance, the step or the format change, never while mixing.
#include "engine/base/EngineTypes.h"
#include "platform/audio/WaveTypes.h"

struct PcmMixPass {
    u8 mixKernel = 0;
    u8 copyKernel = 0;
    u32 mixOffset = 0;
    u32 copyOffset = 0;
    u32 sourceOffset = 0;
    u32 destinationStride = 0;
    u32 sourceStride = 0;
    u32 countMultiplier = 1;
    Fixed gain = kFixedOne;
    u8 table[256] = {};
    u16 identity = 0;
};

struct PcmMixPassSet {
    u16 passes = 1;       // the larger of the output's and the source's channel count
    u16 passesInUse = 1;
    PcmMixPass pass[2];
};

// Gains of the passes from the volume and the balance word (low half left, high half right).
void pcmMixSetPassGains(PcmMixPassSet& set, Fixed volume, u32 balance);

// Rebuilds each pass's 256-entry table and identity flag from its gain.
void pcmMixBuildPassTables(PcmMixPassSet& set, u16 sourceBits);

// Chooses kernels, offsets, strides and the interleaved one-pass path.
// `nativeOrder`: 16-bit source samples are little-endian; `swapSides`: exchange a stereo source's channels.
void pcmMixChooseKernels(PcmMixPassSet& set, const plat::WaveFormat& output, const plat::WaveFormat& source,
                         Fixed step, bool nativeOrder, bool swapSides);
