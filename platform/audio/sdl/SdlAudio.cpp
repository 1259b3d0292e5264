#include "platform/audio/sdl/SdlAudio.h"

#include <SDL.h>

#include <string>

#include "platform/audio/sdl/QuietAlsa.h"

namespace plat {
namespace {

// The device is open only while the sink is started: SDL's audio thread wakes for every
// buffer as long as its device is open, paused or not, and a child may sit at a still picture
// for an hour. Opening it again is quick beside a sound's length, and the sound's first
// frames wait for it rather than being lost.
class SdlSink : public AudioSink {
public:
    SdlSink(std::string name, AudioPull pull, uint16_t blockAlign)
        : name_(std::move(name)), pull_(std::move(pull)), blockAlign_(blockAlign) {}
    ~SdlSink() override { stop(); }

    static void SDLCALL fill(void* self, Uint8* stream, int bytes) {
        auto* sink = static_cast<SdlSink*>(self);
        sink->pull_(stream, uint32_t(bytes) / sink->blockAlign_);
    }

    // False when no device of the sink's format opens.
    bool open() {
        if (device_ != 0) return true;
        SDL_AudioSpec have{};
        device_ = SDL_OpenAudioDevice(name_.empty() ? nullptr : name_.c_str(), 0, &want_, &have, 0);
        if (device_ == 0) reportNoSoundDevice();
        return device_ != 0;
    }

    void start() override {
        if (open()) SDL_PauseAudioDevice(device_, 0);
    }
    // Closing waits for the audio thread to end, so no pull runs once it returns.
    void stop() override {
        if (device_ != 0) SDL_CloseAudioDevice(device_);
        device_ = 0;
    }

    SDL_AudioSpec want_{};

private:
    std::string name_;
    SDL_AudioDeviceID device_ = 0;
    AudioPull pull_;
    uint16_t blockAlign_;
};

class SdlAudioBackend : public AudioBackend {
public:
    ~SdlAudioBackend() override { SDL_QuitSubSystem(SDL_INIT_AUDIO); }

    uint32_t deviceCount() override {
        const int count = SDL_GetNumAudioDevices(0);
        // Drivers that cannot list their devices (the dummy and disk drivers) still open one default device.
        return count > 0 ? uint32_t(count) : 1;
    }

    std::string deviceName(uint32_t device) override {
        const char* name = SDL_GetNumAudioDevices(0) > 0 ? SDL_GetAudioDeviceName(int(device), 0) : nullptr;
        return name ? name : "SDL Wave Out";
    }

    bool emulated() override { return false; }

    std::unique_ptr<AudioSink> openSink(uint32_t device, const WaveFormat& format, AudioPull pull) override {
        const char* name = SDL_GetNumAudioDevices(0) > 0 ? SDL_GetAudioDeviceName(int(device), 0) : nullptr;
        auto sink = std::make_unique<SdlSink>(name ? name : "", std::move(pull), format.blockAlign);
        SDL_AudioSpec& want = sink->want_;
        want.freq = int(format.samplesPerSec);
        want.format = format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
        want.channels = Uint8(format.channels);
        want.samples = 512;
        want.callback = &SdlSink::fill;
        want.userdata = sink.get();
        // Opened here, so that a device refusing the format is known before any sound; every
        // client starts its sink at once.
        if (!sink->open()) return nullptr;
        return sink;
    }
};

}  // namespace

std::unique_ptr<AudioBackend> makeSdlAudioBackend() {
    quietAlsaErrors();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        reportNoSoundDevice();
        return nullptr;
    }
    // A driver that lists no device at all (ALSA on a machine without a sound card) would
    // refuse every sound: the program plays on the silent device instead, without asking.
    // Drivers that cannot list their devices answer -1.
    if (SDL_GetNumAudioDevices(0) == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        reportNoSoundDevice();
        return nullptr;
    }
    return std::make_unique<SdlAudioBackend>();
}

}  // namespace plat
