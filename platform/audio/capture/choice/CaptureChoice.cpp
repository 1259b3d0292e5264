#include "platform/audio/capture/choice/CaptureChoice.h"

#include "platform/audio/capture/sdl/SdlCapture.h"
#include "platform/audio/capture/virtual/VirtualMicrophone.h"
#include "platform/system/BackendChoice.h"

namespace plat {
namespace {

BackendChoice<CaptureBackend>& choice() {
    static BackendChoice<CaptureBackend> backends([] { return makeSdlCaptureBackend(); },
                                                  [] { return std::make_unique<VirtualMicrophone>(); });
    return backends;
}

}  // namespace

CaptureBackend& captureBackend() { return choice().current(); }

void setCaptureBackend(CaptureBackend* backend) { choice().install(backend); }

}  // namespace plat
