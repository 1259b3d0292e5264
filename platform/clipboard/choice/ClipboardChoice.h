#pragma once
// The one place that picks the desktop's clipboard, once at first use
// (platform/system/BackendChoice.h): SDL's, or one that keeps the text in the process when the
// program runs headless.
#include "platform/clipboard/Clipboard.h"

namespace plat {

ClipboardBackend& clipboard();
// Replaces the start-up choice (tests install their own); nullptr restores it.
void setClipboardBackend(ClipboardBackend* backend);

}  // namespace plat
