#include "media/swf/Interfaces.h"

namespace swf {

namespace {

i_host* gHost = nullptr;

}  // namespace

Result SetHost(i_host* host) {
    if (host) host->AddRef();
    if (gHost) gHost->Release();
    gHost = host;
    return kOk;
}

i_host* Host() { return gHost; }

}  // namespace swf
