#include "platform/audio/AudioBackend.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "platform/audio/sdl/SdlAudio.h"
#include "platform/audio/virtual/VirtualAudio.h"

namespace plat {
namespace {

std::atomic<AudioBackend*> installed{nullptr};

AudioBackend& startupBackend() {
    static std::unique_ptr<AudioBackend> chosen = [] {
        const char* headless = std::getenv("TUMBLO_HEADLESS");
        std::unique_ptr<AudioBackend> backend;
        if (!headless || std::strcmp(headless, "1") != 0) backend = makeSdlAudioBackend();
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
