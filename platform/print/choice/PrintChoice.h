#pragma once
// The one place that picks the print backend, once at first use (platform/system/BackendChoice.h):
// the real one offers the system's printers through CUPS beside the built-in "PDF file"
// printer; the headless one, when the program runs headless, offers the "PDF file" printer alone.
#include "platform/print/PrintBackend.h"

namespace plat::print {

PrintBackend& printBackend();
// Replaces the start-up choice (tests install a recording backend); nullptr restores it.
void setPrintBackend(PrintBackend* backend);

}  // namespace plat::print
