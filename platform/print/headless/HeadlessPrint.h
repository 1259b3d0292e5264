#pragma once
// The headless print backend: the built-in "PDF file" printer alone, which is the default.
#include "platform/print/PrintBackend.h"

namespace plat::print {

class HeadlessPrintBackend : public PrintBackend {
public:
    std::vector<std::string> printers() override;
    bool defaultPrinter(PrinterSettings* out) override;
    bool printerSettings(const std::string& device, PrinterSettings* out) override;
    bool capabilities(const std::string& device, PrinterCapabilities* out) override;
    std::unique_ptr<PrintJob> startJob(const PrinterSettings& settings, const std::string& title, AbortProc abort,
                                       int* error) override;
};

}  // namespace plat::print
