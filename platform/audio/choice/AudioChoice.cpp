#include "platform/audio/choice/AudioChoice.h"

#include "platform/audio/sdl/SdlAudio.h"
#include "platform/audio/virtual/VirtualAudio.h"
#include "platform/system/BackendChoice.h"

namespace plat {
namespace {

BackendChoice<AudioBackend>& choice() {
    static BackendChoice<AudioBackend> backends([] { return makeSdlAudioBackend(); },
                                                [] { return std::make_unique<VirtualAudioBackend>(); });
    return backends;
}

}  // namespace

AudioBackend& audioBackend() { return choice().current(); }

void setAudioBackend(AudioBackend* backend) { choice().install(backend); }

}  // namespace plat
