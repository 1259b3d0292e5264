#include "platform/audio/AudioBackend.h"

#include <atomic>

#include "platform/audio/sdl/SdlAudio.h"
#include "platform/audio/virtual/VirtualAudio.h"
#include "platform/system/Headless.h"

namespace plat {
namespace {

std::atomic<AudioBackend*> installed{nullptr};

AudioBackend& startupBackend() {
    static std::unique_ptr<AudioBackend> chosen = [] {
        std::unique_ptr<AudioBackend> backend;
        if (!headlessRequested()) backend = makeSdlAudioBackend();
        if (!backend) backend = std::make_unique<VirtualAudioBackend>();
        return backend;
    }();
    return *chosen;
}

}  // namespace

AudioBackend& audioBackend() {
    AudioBackend* backend = installed.load();
    return backend ? *backend : startupBackend();
}

void setAudioBackend(AudioBackend* backend) { installed.store(backend); }

}  // namespace plat
