#pragma once
// The mixer's ten kernels: eight that copy or mix one sample layout into the output with the
// 16.16 resampling step (no interpolation: each output sample repeats the latest source
// sample), and two that fill silence. Mix kernels add with saturation; copy kernels overwrite.
// Slots are filled from the built-in table at start-up and may be replaced by faster kernels
// of the same contract. Kernels touch only the memory they are given; any thread may call them.
// The functions declared here are the portable kernels, the reference every faster table
// matches sample for sample.
#include "engine/base/EngineTypes.h"

// (destination, source, output samples n >= 1, destination stride, source stride, step, gain,
//  identity flag of the table, 256-byte gain table)
using PcmMixSampleKernel = void (*)(u8* destination, const u8* source, u32 count, u32 destinationStride,
                                    u32 sourceStride, Fixed step, Fixed gain, u16 identity, const u8* table);
// (destination, value, count of bytes or 16-bit words)
using PcmMixFillKernel = void (*)(u8* destination, u32 value, u32 count);

enum PcmMixKernelSlot : u8 {
    kKernelMix8 = 0,
    kKernelMix8To16 = 1,
    kKernelMix16Swapped = 2,
    kKernelMix16Native = 3,
    kKernelCopy8 = 4,
    kKernelCopy8To16 = 5,
    kKernelCopy16Swapped = 6,
    kKernelCopy16Native = 7,
};

constexpr u32 kSilence8 = 0x80;
constexpr u32 kSilence16 = 0;

struct PcmMixKernelTable {
    PcmMixSampleKernel sample[8];
    PcmMixFillKernel fillBytes;
    PcmMixFillKernel fillWords;
};

// The fastest kernels this processor runs (see PcmMixVectorKernels.h).
const PcmMixKernelTable& pcmMixBuiltInKernels();
const PcmMixKernelTable& pcmMixPortableKernels();

void pcmMixKernelMix8(u8* d, const u8* s, u32 n, u32 ds, u32 ss, Fixed step, Fixed gain, u16 identity, const u8* table);
void pcmMixKernelMix8To16(u8* d, const u8* s, u32 n, u32 ds, u32 ss, Fixed step, Fixed gain, u16 identity,
                          const u8* table);
void pcmMixKernelMix16Swapped(u8* d, const u8* s, u32 n, u32 ds, u32 ss, Fixed step, Fixed gain, u16 identity,
                              const u8* table);
void pcmMixKernelMix16Native(u8* d, const u8* s, u32 n, u32 ds, u32 ss, Fixed step, Fixed gain, u16 identity,
                             const u8* table);
void pcmMixKernelCopy8(u8* d, const u8* s, u32 n, u32 ds, u32 ss, Fixed step, Fixed gain, u16 identity,
                       const u8* table);
void pcmMixKernelCopy8To16(u8* d, const u8* s, u32 n, u32 ds, u32 ss, Fixed step, Fixed gain, u16 identity,
                           const u8* table);
void pcmMixKernelCopy16Swapped(u8* d, const u8* s, u32 n, u32 ds, u32 ss, Fixed step, Fixed gain, u16 identity,
                               const u8* table);
void pcmMixKernelCopy16Native(u8* d, const u8* s, u32 n, u32 ds, u32 ss, Fixed step, Fixed gain, u16 identity,
                              const u8* table);
void pcmMixKernelFillBytes(u8* d, u32 value, u32 count);
void pcmMixKernelFillWords(u8* d, u32 value, u32 count);

// The 16-bit sample scaled by a 16.16 gain, held to the 16-bit range.
i16 pcmMixScale16(i16 sample, Fixed gain);
