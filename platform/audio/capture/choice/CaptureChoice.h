#pragma once
// The one place that picks the capture backend, once at first use (platform/system/BackendChoice.h):
// the virtual microphone when the program runs headless or SDL capture is unavailable, else SDL's.
#include "platform/audio/capture/CaptureBackend.h"

namespace plat {

CaptureBackend& captureBackend();
// Replaces the start-up choice (tests install a virtual microphone); nullptr restores it.
void setCaptureBackend(CaptureBackend* backend);

}  // namespace plat
