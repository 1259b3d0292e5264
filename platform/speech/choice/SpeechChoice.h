#pragma once
// The one place that picks the speech backend, once at first use (platform/system/BackendChoice.h):
// espeak-ng, or the headless one when the program runs headless or espeak-ng cannot start.
#include "platform/speech/SpeechBackend.h"

namespace plat {

SpeechBackend& speechBackend();
// Replaces the start-up choice (tests install a headless backend); nullptr restores it.
void setSpeechBackend(SpeechBackend* backend);

}  // namespace plat
