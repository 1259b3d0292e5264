#pragma once
// Opening a wave's mixer handle, translating sample rates the device cannot take: a rate
// that is not a whole multiple of the device's base rate is looked up in the settings'
// rate translations ("8012" = 8000) and replaced by the value found.
#include "engine/audio/AudioSettings.h"
#include "engine/audio/PcmMix.h"

// The rate to play `rate` at on a device of `baseRate`.
u32 waveTranslateRate(u32 rate, u32 baseRate, const IniPairs& translations);

// pcmMixOpen with the translation: tried untranslated first when `translateOnlyOnError` is
// set or the format is not PCM, and translated after a bad-format answer (or straight away).
u16 waveOpenTranslated(PcmMixHandle* handle, u16 deviceId, plat::WaveFormat format, bool nativeOrder,
                       bool translateOnlyOnError, const IniPairs& translations, PcmMixCallback callback,
                       uintptr_t instance);
