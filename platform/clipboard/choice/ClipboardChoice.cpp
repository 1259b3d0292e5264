#include "platform/clipboard/choice/ClipboardChoice.h"

#include "platform/clipboard/sdl/SdlClipboard.h"
#include "platform/system/BackendChoice.h"

namespace plat {
namespace {

BackendChoice<ClipboardBackend>& choice() {
    static BackendChoice<ClipboardBackend> backends([] { return makeSdlClipboard(); },
                                                    [] { return std::make_unique<LocalClipboard>(); });
    return backends;
}

}  // namespace

ClipboardBackend& clipboard() { return choice().current(); }

void setClipboardBackend(ClipboardBackend* backend) { choice().install(backend); }

}  // namespace plat
