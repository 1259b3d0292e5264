#include "engine/audio/PcmMixPasses.h"

#include <algorithm>
#include <utility>

#include "engine/base/FixedPoint.h"
#include "engine/audio/PcmMixKernels.h"

void pcmMixSetPassGains(PcmMixPassSet& set, Fixed volume, u32 balance) {
    if (set.passes == 2) {
        set.pass[0].gain = fixedMul(volume, fixedDiv(Fixed(balance & 0xFFFF), 65535));
        set.pass[1].gain = fixedMul(volume, fixedDiv(Fixed(balance >> 16), 65535));
    } else {
        set.pass[0].gain = volume;
    }
}

void pcmMixBuildPassTables(PcmMixPassSet& set, u16 sourceBits) {
    for (u16 p = 0; p < set.passes; ++p) {
        PcmMixPass& pass = set.pass[p];
        bool identity = true;
        for (int i = 0; i < 256; ++i) {
            const Fixed sample = sourceBits == 8 ? Fixed(i - 128) : Fixed(i8(u8(i)));
            const Fixed scaled = std::clamp<Fixed>(fixedMul(sample, pass.gain), -128, 127);
            pass.table[i] = u8(scaled + 128);
            identity = identity && pass.table[i] == i;
        }
        pass.identity = identity ? 1 : 0;
    }
}

void pcmMixChooseKernels(PcmMixPassSet& set, const plat::WaveFormat& output, const plat::WaveFormat& source,
                         Fixed step, bool nativeOrder, bool swapSides) {
    const u32 bytes = source.bitsPerSample / 8u;
    const bool stereoSource = source.channels == 2;
    const bool stereoOutput = output.channels == 2;
    const bool output16 = output.bitsPerSample == 16;
    const bool source16 = source.bitsPerSample == 16;

    u8 mixKernel = kKernelMix8;
    u8 copyKernel = kKernelCopy8;
    u32 outputBytes = 1;
    if (output16 && !source16) {
        mixKernel = kKernelMix8To16;
        copyKernel = kKernelCopy8To16;
        outputBytes = 2;
    } else if (output16) {
        mixKernel = nativeOrder ? kKernelMix16Native : kKernelMix16Swapped;
        copyKernel = nativeOrder ? kKernelCopy16Native : kKernelCopy16Swapped;
        outputBytes = 2;
    }
    // A 16-bit source mixed into 8-bit output reads the high byte of each sample.
    const u32 highByte = (!output16 && source16 && nativeOrder) ? 1 : 0;

    set.passesInUse = set.passes;
    for (u16 p = 0; p < 2; ++p) {
        PcmMixPass& pass = set.pass[p];
        pass.destinationStride = output.blockAlign;
        pass.sourceStride = source.blockAlign;
        pass.countMultiplier = 1;
        pass.mixKernel = mixKernel;
        pass.copyKernel = copyKernel;
        const bool sumToMono = stereoSource && !stereoOutput;
        // Both source channels land in the one output channel: the second pass adds to the first.
        if (sumToMono && p == 1) pass.copyKernel = mixKernel;
        const u32 destinationOffset = sumToMono ? 0 : p * outputBytes;
        pass.mixOffset = destinationOffset;
        pass.copyOffset = destinationOffset;
        pass.sourceOffset = (stereoSource ? p * bytes : 0) + highByte;
    }
    if (swapSides && stereoSource) {
        std::swap(set.pass[0].sourceOffset, set.pass[1].sourceOffset);
    } else if (stereoSource && stereoOutput && source.bitsPerSample == output.bitsPerSample && step == kFixedOne &&
               set.pass[0].gain == set.pass[1].gain) {
        PcmMixPass& pass = set.pass[0];
        pass.destinationStride /= 2;
        pass.sourceStride /= 2;
        pass.countMultiplier = 2;
        set.passesInUse = 1;
    }
}
