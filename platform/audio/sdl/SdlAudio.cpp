#include "platform/audio/sdl/SdlAudio.h"

#include <SDL.h>

#include "platform/audio/sdl/QuietAlsa.h"

namespace plat {
namespace {

class SdlSink : public AudioSink {
public:
    SdlSink(SDL_AudioDeviceID device, AudioPull pull, uint16_t blockAlign)
        : device_(device), pull_(std::move(pull)), blockAlign_(blockAlign) {}
    ~SdlSink() override {
        if (device_ != 0) SDL_CloseAudioDevice(device_);
    }

    static void SDLCALL fill(void* self, Uint8* stream, int bytes) {
        auto* sink = static_cast<SdlSink*>(self);
        sink->pull_(stream, uint32_t(bytes) / sink->blockAlign_);
    }

    void start() override { SDL_PauseAudioDevice(device_, 0); }
    void stop() override {
        // Pausing under the device lock guarantees that the callback is not running.
        SDL_LockAudioDevice(device_);
        SDL_PauseAudioDevice(device_, 1);
        SDL_UnlockAudioDevice(device_);
    }

    SDL_AudioDeviceID device_;
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
        auto sink = std::make_unique<SdlSink>(0, std::move(pull), format.blockAlign);
        SDL_AudioSpec want{};
        want.freq = int(format.samplesPerSec);
        want.format = format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
        want.channels = Uint8(format.channels);
        want.samples = 512;
        want.callback = &SdlSink::fill;
        want.userdata = sink.get();
        const char* name = SDL_GetNumAudioDevices(0) > 0 ? SDL_GetAudioDeviceName(int(device), 0) : nullptr;
        SDL_AudioSpec have{};
        sink->device_ = SDL_OpenAudioDevice(name, 0, &want, &have, 0);
        if (sink->device_ == 0) {
            reportNoSoundDevice();
            return nullptr;
        }
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
