#pragma once
// The audio backend for people: each sink is one SDL audio device opened in the sink's exact
// format; SDL's audio thread pulls the frames.
#include <memory>

#include "platform/audio/AudioBackend.h"

namespace plat {

// nullptr when SDL's audio subsystem cannot start.
std::unique_ptr<AudioBackend> makeSdlAudioBackend();

}  // namespace plat
