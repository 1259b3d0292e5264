#pragma once
// The desktop's clipboard on an X server. The program owns the CLIPBOARD selection through a
// connection and a hidden window of its own, served by a thread of its own, so that another
// program's paste is answered at once whatever the program is busy with. Pictures go as PNG,
// text as UTF-8 or Latin-1, and data larger than one piece goes piece by piece (INCR). The
// program's own formats count while it still owns the selection. Another program's text and
// picture (PNG) are read in pieces too, within their bounds. On the way out the offer is
// handed to the desktop's clipboard manager where there is one, so that a copy outlives the
// program.
#include <cstddef>
#include <memory>

#include "platform/clipboard/Clipboard.h"

namespace plat {

// Nothing when the X server cannot be reached. `display`: nullptr for $DISPLAY. `piece`: the
// largest reply sent whole; 0 for what the server takes in one request. `pictureLimit`: the
// largest picture taken from another program.
std::unique_ptr<ClipboardBackend> makeX11Clipboard(const char* display, size_t piece = 0,
                                                   size_t pictureLimit = kMaxClipboardPicture);

}  // namespace plat
