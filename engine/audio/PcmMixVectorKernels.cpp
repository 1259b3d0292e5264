#include "engine/audio/PcmMixVectorKernels.h"

#include <algorithm>
#include <cstring>

PcmMixVectorLevel pcmMixBestVectorLevel() {
    // SSE2 is part of every 64-bit x86 processor; the compiler's feature tests also ask whether
    // the system saves the wide registers.
    static const PcmMixVectorLevel best = pcmMixVectorLevelFor(
        {__builtin_cpu_supports("avx2") != 0, __builtin_cpu_supports("avx512f") != 0,
         __builtin_cpu_supports("avx512bw") != 0, __builtin_cpu_supports("avx512vbmi") != 0});
    return best;
}

PcmMixVectorLevel pcmMixVectorLevelFor(const PcmMixCpuFeatures& features) {
    // The AVX-512 kernels use the foundation's registers, the byte and word lanes and the byte
    // permutes: a processor (or a virtual machine) that hides any of them gets a narrower level.
    if (features.avx512f && features.avx512bw && features.avx512vbmi) return PcmMixVectorLevel::kAvx512;
    return features.avx2 ? PcmMixVectorLevel::kAvx2 : PcmMixVectorLevel::kSse2;
}

const PcmMixKernelTable& pcmMixKernelsFor(PcmMixVectorLevel level) {
    switch (std::min(level, pcmMixBestVectorLevel())) {
    case PcmMixVectorLevel::kAvx512: return pcmMixAvx512Kernels();
    case PcmMixVectorLevel::kAvx2: return pcmMixAvx2Kernels();
    case PcmMixVectorLevel::kSse2: return pcmMixSse2Kernels();
    case PcmMixVectorLevel::kPortable: break;
    }
    return pcmMixPortableKernels();
}

bool pcmMixTableFollowsGain(const u8* table, Fixed gain) {
    // Gains change far less often than kernels run: the expected table of the latest gain is
    // kept for the next call on this thread.
    thread_local Fixed cachedGain = 0;
    thread_local bool cached = false;
    thread_local u8 expected[256];
    if (!cached || cachedGain != gain) {
        for (int i = 0; i < 256; ++i)
            expected[i] = u8(std::clamp<int>(pcmMixScale16(i16(i - 128), gain), -128, 127) + 128);
        cachedGain = gain;
        cached = true;
    }
    return std::memcmp(table, expected, sizeof expected) == 0;
}
