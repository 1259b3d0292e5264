#pragma once
#include <memory>

#include "platform/speech/SpeechBackend.h"

namespace plat {

// The espeak-ng backend, or null when espeak-ng cannot start (no voice data installed).
std::unique_ptr<SpeechBackend> makeEspeakSpeechBackend();

}  // namespace plat
