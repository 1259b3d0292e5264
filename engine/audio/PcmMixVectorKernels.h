#pragma once
// The mixer kernels built on the processor's vector instructions, one table per instruction
// set, each giving exactly the samples of the portable kernels. The best table the processor
// runs is chosen once, at run time.
#include "engine/base/EngineTypes.h"
#include "engine/audio/PcmMixKernels.h"

enum class PcmMixVectorLevel : u8 { kPortable, kSse2, kAvx2, kAvx512 };

// The widest instruction set this processor and its system run.
PcmMixVectorLevel pcmMixBestVectorLevel();

// The instruction sets the wide levels need, each as the processor reports it with its system
// saving the registers.
struct PcmMixCpuFeatures {
    bool avx2 = false;
    bool avx512f = false;
    bool avx512bw = false;
    bool avx512vbmi = false;
};
// The widest level whose every instruction the features offer.
PcmMixVectorLevel pcmMixVectorLevelFor(const PcmMixCpuFeatures& features);
// The kernels of one instruction set; levels above the best one give the best one's kernels.
const PcmMixKernelTable& pcmMixKernelsFor(PcmMixVectorLevel level);

// Whether a 256-byte gain table of 8-bit samples holds what `gain` makes of them (sample - 128
// scaled, held to 8 bits, + 128): the vector kernels then compute the table's values instead
// of looking them up.
bool pcmMixTableFollowsGain(const u8* table, Fixed gain);

const PcmMixKernelTable& pcmMixSse2Kernels();
const PcmMixKernelTable& pcmMixAvx2Kernels();
const PcmMixKernelTable& pcmMixAvx512Kernels();
