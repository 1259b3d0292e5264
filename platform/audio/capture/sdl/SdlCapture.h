#pragma once
// SDL2's audio capture devices; null when SDL audio cannot start.
#include <memory>

#include "platform/audio/capture/CaptureBackend.h"

namespace plat {

std::unique_ptr<CaptureBackend> makeSdlCaptureBackend();

}  // namespace plat
