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
// The most numbered names tried for a file in the home folder.
constexpr uint32_t kMaxPdfNameNumber = 99;

// Writes to the settings' output path (replacing what is there once the document is whole),
// or, when none is set, to a new "<title>.pdf" in the settings' output folder (the home folder
// when that is empty): "<title> (2).pdf" and on
// up to kMaxPdfNameNumber when that name is taken, and kSpoolError when all are.
std::unique_ptr<PrintJob> startPdfFileJob(const PrinterSettings& settings, const std::string& title, AbortProc abort,
                                          int* error);

}  // namespace plat::print
