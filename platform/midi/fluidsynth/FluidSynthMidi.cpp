#include "platform/midi/fluidsynth/FluidSynthMidi.h"

#include <fluidsynth.h>

#include <cstdlib>
#include <filesystem>

#include "platform/audio/choice/AudioChoice.h"

namespace plat {
namespace {

constexpr uint32_t kRenderRate = 44100;
constexpr const char* kSoundFonts[] = {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2"};

class FluidSynthPort : public MidiOutPort {
public:
    ~FluidSynthPort() override {
        if (sink_) sink_->stop();
        sink_.reset();
        if (synth_) delete_fluid_synth(synth_);
        if (settings_) delete_fluid_settings(settings_);
    }

    bool start(const std::string& soundFont, AudioBackend& audio) {
        settings_ = new_fluid_settings();
        if (!settings_) return false;
        fluid_settings_setnum(settings_, "synth.sample-rate", kRenderRate);
        fluid_settings_setnum(settings_, "synth.gain", 0.5);
        // The General MIDI soundfont is large: its samples are read when an instrument is
        // chosen, not all at once, so a tune starts without a pause.
        fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
        synth_ = new_fluid_synth(settings_);
        if (!synth_ || fluid_synth_sfload(synth_, soundFont.c_str(), 1) == FLUID_FAILED) return false;
        sink_ = audio.openSink(0, makePcmFormat(kRenderRate, 2, 16), [this](uint8_t* out, uint32_t frames) {
            fluid_synth_write_s16(synth_, int(frames), out, 0, 2, out, 1, 2);
        });
        if (!sink_) return false;
        sink_->start();
        return true;
    }

    void shortMessage(uint32_t packed) override {
        const int status = int(packed & 0xFF);
        const int channel = status & 15;
        const int data1 = int((packed >> 8) & 0x7F);
        const int data2 = int((packed >> 16) & 0x7F);
        switch (status & 0xF0) {
        case 0x80: fluid_synth_noteoff(synth_, channel, data1); break;
        case 0x90: fluid_synth_noteon(synth_, channel, data1, data2); break;
        case 0xA0: fluid_synth_key_pressure(synth_, channel, data1, data2); break;
        case 0xB0: fluid_synth_cc(synth_, channel, data1, data2); break;
        case 0xC0: fluid_synth_program_change(synth_, channel, data1); break;
        case 0xD0: fluid_synth_channel_pressure(synth_, channel, data1); break;
        case 0xE0: fluid_synth_pitch_bend(synth_, channel, data1 | (data2 << 7)); break;
        default: break;
        }
    }

    void longMessage(std::span<const uint8_t> bytes) override {
        // The synthesizer takes the message without its framing bytes.
        if (bytes.size() < 2 || bytes.front() != 0xF0 || bytes.back() != 0xF7) return;
        fluid_synth_sysex(synth_, reinterpret_cast<const char*>(bytes.data() + 1), int(bytes.size() - 2), nullptr,
                          nullptr, nullptr, 0);
    }

    void reset() override { fluid_synth_system_reset(synth_); }

private:
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    std::unique_ptr<AudioSink> sink_;
};

}  // namespace

std::string findSoundFont() {
    std::error_code error;
    if (const char* chosen = std::getenv("TUMBLO_SOUNDFONT"))
        return std::filesystem::is_regular_file(chosen, error) ? chosen : "";
    for (const char* path : kSoundFonts)
        if (std::filesystem::is_regular_file(path, error)) return path;
    return "";
}

FluidSynthMidiBackend::FluidSynthMidiBackend(std::string soundFont, AudioBackend* audio)
    : soundFont_(std::move(soundFont)), audio_(audio) {}

uint32_t FluidSynthMidiBackend::deviceCount() { return soundFont_.empty() ? 0 : 1; }

MidiOutCaps FluidSynthMidiBackend::caps(uint32_t) {
    MidiOutCaps caps;
    caps.productName = "FluidSynth General MIDI";
    caps.driverVersion = uint16_t((FLUIDSYNTH_VERSION_MAJOR << 8) | FLUIDSYNTH_VERSION_MINOR);
    caps.technology = kMidiTechSoftwareSynth;
    caps.voices = 256;
    caps.notes = 256;
    caps.support = kMidiSupportVolume;
    return caps;
}

std::unique_ptr<MidiOutPort> FluidSynthMidiBackend::open(uint32_t device) {
    if (device >= deviceCount()) return nullptr;
    auto port = std::make_unique<FluidSynthPort>();
    if (!port->start(soundFont_, audio_ ? *audio_ : audioBackend())) return nullptr;
    return port;
}

}  // namespace plat
