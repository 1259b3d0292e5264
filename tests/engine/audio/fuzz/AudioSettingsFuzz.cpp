// libFuzzer target: any bytes as the "TB.ini" the audio module reads at its start (the
// [Audio], MIDI map and mixer sections, which a teacher may edit by hand): the settings read,
// then every value that is parsed further (the mixer's device entries, the MIDI devices'
// channel maps) parsed as the module would. Nothing may read out of bounds, a
// clamped device entry always leaves the device a ring with a buffer free, and a channel map
// names channels 0-15 only.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <string_view>

#include "engine/audio/AudioSettings.h"
#include "engine/audio/MidiMap.h"
#include "engine/audio/MixerDeviceInfo.h"
#include "tests/engine/ini/fuzz/ScratchProfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static ScratchProfile* scratch = new ScratchProfile("TB.ini");
    scratch->put(std::string_view(reinterpret_cast<const char*>(data), size));
    AudioSettings settings;
    audioReadSettings(scratch->path(), &settings);

    for (const auto& [device, value] : settings.mixer.deviceInfo) {
        MixerDeviceInfo info;
        mixerParseDeviceInfo(value, &info);
        for (u16 blockAlign : {u16(1), u16(4), u16(8)}) {
            MixerDeviceInfo clamped = info;
            mixerClampDeviceInfo(&clamped, blockAlign);
            const u64 ring = u64(clamped.buffers) * clamped.framesPerBuffer;
            if (clamped.buffers < 2 || clamped.framesPerBuffer == 0 || clamped.leadFrames == 0 ||
                clamped.leadFrames + clamped.framesPerBuffer > ring)
                std::abort();
        }
    }
    mixerFindDeviceInfo(settings.mixer.deviceInfo, "Dummy Output");

    plat::MidiOutCaps caps;
    caps.productName = "FluidSynth GM";
    caps.driverVersion = 0x0100;
    const MidiDeviceSetup chosen = midiMapDeviceSetup(settings.midi, caps);
    if (chosen.percussion > 15) std::abort();
    for (const auto& [id, value] : settings.midi.targetDeviceInfo) {
        MidiDeviceSetup setup{};
        if (!midiMapParseDeviceInfo(value, &setup)) continue;
        if (setup.percussion > 15) std::abort();
        for (u8 channel : setup.channelMap)
            if (channel > 15) std::abort();
    }
    return 0;
}
