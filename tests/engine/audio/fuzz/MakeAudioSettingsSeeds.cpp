// Writes the audio settings fuzzer's seeds: "TB.ini" files written through the engine's INI
// writer with the audio, MIDI map and mixer sections the program reads, in the forms each
// value takes (flags, device names, rate pairs, both forms of the device entries).
#include <string>
#include <utility>
#include <vector>

#include "tests/FuzzSeeds.h"
#include "tests/engine/ini/fuzz/ScratchProfile.h"

namespace {

using Entries = std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>>;

std::vector<u8> written(ScratchProfile& scratch, const Entries& sections) {
    scratch.put("");
    for (const auto& [section, pairs] : sections)
        for (const auto& [key, value] : pairs)
            if (iniWriteString(scratch.path(), section.c_str(), key.c_str(), value.c_str()) != kErrNone) std::abort();
    scratch.restart();
    const std::string bytes = scratch.onDisk();
    return std::vector<u8>(bytes.begin(), bytes.end());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    fuzzseeds::resetFolder(folder);
    ScratchProfile scratch("TB.ini");
    fuzzseeds::save(folder, "audio",
                    written(scratch, {{"Audio",
                                       {{"fEnableMidi", "1"},
                                        {"fTranslateWaveRateOnError", "TRUE"},
                                        {"DefaultMidiDevice", "FluidSynth GM"},
                                        {"DefaultWaveDevice", std::string(40, 'w')}}},
                                      {"Audio.WaveRateTranslations", {{"11025", "11127"}, {"22050", "22254"}}}}));
    fuzzseeds::save(folder, "midimap",
                    written(scratch, {{"MidiMap", {{"fEnableHardReset", "0"}}},
                                      {"MidiMap.TargetDevices", {{"FluidSynth GM 1.0", "3"}, {"Other", "x"}}},
                                      {"MidiMap.TargetDeviceInfo",
                                       {{"3", "0123456789ABCDEF,10,4,5"}, {"4", "XXXXXXXXXXXXXXXX,1"}, {"5", "01,17"}}}}));
    fuzzseeds::save(folder, "mixer",
                    written(scratch, {{"PcmMix",
                                       {{"fEnable", "1"},
                                        {"fEnableRemix", "0"},
                                        {"fStereo", "1"},
                                        {"ulFrameRate", "44100"},
                                        {"uSampleSize", "16"}}},
                                      {"DirectSound", {{"fEnable", "0"}}},
                                      {"PcmMix.DeviceInfo",
                                       {{"default", "16,1024,4096,0"}, {"Dummy Output", "NotSupported"},
                                        {"Big", "4294967295,4294967295,4294967295,4294967295,96000,16"}}}}));
    return 0;
}
