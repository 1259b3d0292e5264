#include "platform/print/pdf/PdfFilePrinter.h"

#include <cstdlib>

#include "platform/print/pdf/PdfFileJob.h"

namespace plat::print {
namespace {

constexpr uint16_t kPdfResolution = 150;

Paper a4() { return Paper{"A4", 2100, 2970}; }
Paper letter() { return Paper{"Letter", 2159, 2794}; }

// A job title as a file name: no folder separators, no leading dot, never empty.
std::string fileNameOf(const std::string& title) {
    std::string name;
    for (char c : title) name += (c == '/' || c == '\0') ? '_' : c;
    while (!name.empty() && name.front() == '.') name.erase(name.begin());
    return (name.empty() ? std::string("Untitled") : name) + ".pdf";
}

std::string homeFolder() {
    const char* home = std::getenv("HOME");
    return home && *home ? home : "/tmp";
}

}  // namespace

PrinterSettings pdfPrinterSettings(bool isDefault) {
    PrinterSettings settings;
    settings.device = kPdfPrinterName;
    settings.isDefault = isDefault;
    settings.fields = kFieldOrientation | kFieldPaperSize | kFieldColor;
    settings.paper = a4();
    settings.resolution = kPdfResolution;
    return settings;
}

PrinterCapabilities pdfPrinterCapabilities() {
    PrinterCapabilities caps;
    caps.maxCopies = 1;
    caps.papers = {a4(), letter()};
    return caps;
}

std::unique_ptr<PrintJob> startPdfFileJob(const PrinterSettings& settings, const std::string& title, AbortProc abort,
                                          int* error) {
    const std::string path =
        settings.outputPath.empty() ? homeFolder() + "/" + fileNameOf(title) : settings.outputPath;
    return PdfFileJob::create(path, title, std::move(abort), error);
}

}  // namespace plat::print
