#pragma once
// The one place that picks the audio backend, once at first use (platform/system/BackendChoice.h):
// the virtual one when the program runs headless (platform/system/Headless.h) or SDL audio is
// unavailable, else SDL's.
#include "platform/audio/AudioBackend.h"

namespace plat {

AudioBackend& audioBackend();
// Replaces the start-up choice (tests install a virtual backend); nullptr restores it.
void setAudioBackend(AudioBackend* backend);

}  // namespace plat
