#pragma once
// The one place that picks the desktop's clipboard, once at first use
// (platform/system/BackendChoice.h): the X server's when there is one, else SDL's (text only),
// or one that keeps the offer in the process when the program runs headless.
#include "platform/clipboard/Clipboard.h"

namespace plat {

ClipboardBackend& clipboard();
// Replaces the start-up choice (tests install their own); nullptr restores it.
void setClipboardBackend(ClipboardBackend* backend);

}  // namespace plat
