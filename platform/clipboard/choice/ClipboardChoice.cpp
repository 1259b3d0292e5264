#include "platform/clipboard/choice/ClipboardChoice.h"

#include "platform/clipboard/sdl/SdlClipboard.h"
#include "platform/clipboard/x11/X11Clipboard.h"
#include "platform/system/BackendChoice.h"

namespace plat {
namespace {

BackendChoice<ClipboardBackend>& choice() {
    static BackendChoice<ClipboardBackend> backends([]() -> std::unique_ptr<ClipboardBackend> {
                                                        if (auto x11 = makeX11Clipboard(nullptr)) return x11;
                                                        return makeSdlClipboard();
                                                    },
                                                    [] { return std::make_unique<LocalClipboard>(); });
    return backends;
}

}  // namespace

ClipboardBackend& clipboard() { return choice().current(); }

void setClipboardBackend(ClipboardBackend* backend) { choice().install(backend); }

}  // namespace plat
