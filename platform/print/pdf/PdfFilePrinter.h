#pragma once
// The built-in "PDF file" printer that both backends offer: A4 or Letter paper without
// margins, 150 pixels per inch, colour, and one copy per pass (the engine repeats pages for
// more copies, so the file holds every copy).
#include <memory>
#include <string>

#include "platform/print/PrintBackend.h"

namespace plat::print {

PrinterSettings pdfPrinterSettings(bool isDefault);
PrinterCapabilities pdfPrinterCapabilities();
// Writes to the settings' output path, or to "<title>.pdf" in the home folder when none is set.
std::unique_ptr<PrintJob> startPdfFileJob(const PrinterSettings& settings, const std::string& title, AbortProc abort,
                                          int* error);

}  // namespace plat::print
