#pragma once
// The print progress window and the printing error messages: the progress procedure the
// printer port calls while a document prints. Opening shows a small window captioned with the
// job's title over the owner window, with a Cancel button; each poll runs the messages that
// wait (the program stays live, and input for other windows is dropped while the window is
// up) and answers 0 once Cancel was pressed (or Escape); closing takes the window away.
// Errors are shown under "Print Error" with Retry and Cancel when a retry is possible, else
// OK. Every word is the current language's ([DialogsStrings] "Printing", "Cancel",
// "PrintError" and "PrintErrorMemory", "PrintErrorDisk", "PrintErrorGeneral").
// One progress window at a time, as only one document prints at a time.
// User-interface thread only.
#include "engine/gfx/GfxPrinterPort.h"

i32 mfxPrintProgress(GfxPrintSetup* setup, GfxPrintCall* call, void* userData);

// Makes mfxPrintProgress the procedure of documents started without one.
void mfxInstallPrintProgress();

// Whether the progress window is up.
bool mfxPrintProgressShown();
