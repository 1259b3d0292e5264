#include "platform/speech/choice/SpeechChoice.h"

#include "platform/speech/espeak/EspeakSpeech.h"
#include "platform/speech/headless/HeadlessSpeech.h"
#include "platform/system/BackendChoice.h"

namespace plat {
namespace {

BackendChoice<SpeechBackend>& choice() {
    static BackendChoice<SpeechBackend> backends([] { return makeEspeakSpeechBackend(); },
                                                 [] {
                                                     // Chosen without being asked for, it stands
                                                     // in for an espeak-ng that cannot start.
                                                     return std::make_unique<HeadlessSpeechBackend>(
                                                         !headlessRequested());
                                                 });
    return backends;
}

}  // namespace

SpeechBackend& speechBackend() { return choice().current(); }

void setSpeechBackend(SpeechBackend* backend) { choice().install(backend); }

}  // namespace plat
