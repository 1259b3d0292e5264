#include "platform/audio/capture/sdl/SdlCapture.h"

#include <SDL.h>

#include "platform/audio/sdl/QuietAlsa.h"

namespace plat {
namespace {

class SdlSource : public CaptureSource {
public:
    SdlSource(CapturePush push, uint16_t blockAlign) : push_(std::move(push)), blockAlign_(blockAlign) {}
    ~SdlSource() override {
        if (device_ != 0) SDL_CloseAudioDevice(device_);
    }

    static void SDLCALL take(void* self, Uint8* stream, int bytes) {
        auto* source = static_cast<SdlSource*>(self);
        source->push_(stream, uint32_t(bytes) / source->blockAlign_);
    }

    void start() override { SDL_PauseAudioDevice(device_, 0); }
    void stop() override {
        // Pausing under the device lock guarantees that the callback is not running.
        SDL_LockAudioDevice(device_);
        SDL_PauseAudioDevice(device_, 1);
        SDL_UnlockAudioDevice(device_);
    }

    SDL_AudioDeviceID device_ = 0;
    CapturePush push_;
    uint16_t blockAlign_;
};

const char* deviceName(uint32_t device) {
    return SDL_GetNumAudioDevices(1) > 0 ? SDL_GetAudioDeviceName(int(device), 1) : nullptr;
}

class SdlCaptureBackend : public CaptureBackend {
public:
    ~SdlCaptureBackend() override { SDL_QuitSubSystem(SDL_INIT_AUDIO); }

    uint32_t deviceCount() override {
        const int count = SDL_GetNumAudioDevices(1);
        return count > 0 ? uint32_t(count) : 1;
    }

    // SDL converts between the device's format and any PCM format asked for.
    bool supports(uint32_t device, const WaveFormat& format) override {
        return device < deviceCount() && isPlayablePcm(format);
    }

    std::unique_ptr<CaptureSource> openSource(uint32_t device, const WaveFormat& format, CapturePush push) override {
        if (!supports(device, format)) return nullptr;
        auto source = std::make_unique<SdlSource>(std::move(push), format.blockAlign);
        SDL_AudioSpec want{};
        want.freq = int(format.samplesPerSec);
        want.format = format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
        want.channels = Uint8(format.channels);
        want.samples = 512;
        want.callback = &SdlSource::take;
        want.userdata = source.get();
        SDL_AudioSpec have{};
        source->device_ = SDL_OpenAudioDevice(deviceName(device), 1, &want, &have, 0);
        if (source->device_ == 0) return nullptr;
        return source;
    }
};

}  // namespace

std::unique_ptr<CaptureBackend> makeSdlCaptureBackend() {
    quietAlsaErrors();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
    return std::make_unique<SdlCaptureBackend>();
}

}  // namespace plat
