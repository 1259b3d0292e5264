#include "platform/print/headless/HeadlessPrint.h"

#include "platform/print/pdf/PdfFilePrinter.h"

namespace plat::print {

std::vector<std::string> HeadlessPrintBackend::printers() { return {kPdfPrinterName}; }

bool HeadlessPrintBackend::defaultPrinter(PrinterSettings* out) {
    *out = pdfPrinterSettings(true);
    return true;
}

bool HeadlessPrintBackend::printerSettings(const std::string& device, PrinterSettings* out) {
    if (device != kPdfPrinterName) return false;
    *out = pdfPrinterSettings(true);
    return true;
}

bool HeadlessPrintBackend::capabilities(const std::string& device, PrinterCapabilities* out) {
    if (device != kPdfPrinterName) return false;
    *out = pdfPrinterCapabilities();
    return true;
}

std::unique_ptr<PrintJob> HeadlessPrintBackend::startJob(const PrinterSettings& settings, const std::string& title,
                                                         AbortProc abort, int* error) {
    if (settings.device != kPdfPrinterName) {
        *error = kSpoolError;
        return nullptr;
    }
    return startPdfFileJob(settings, title, std::move(abort), error);
}

}  // namespace plat::print
