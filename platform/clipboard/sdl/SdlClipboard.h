#pragma once
#include <memory>

#include "platform/clipboard/Clipboard.h"

namespace plat {

std::unique_ptr<ClipboardBackend> makeSdlClipboard();

}  // namespace plat
