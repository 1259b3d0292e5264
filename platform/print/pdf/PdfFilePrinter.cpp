#include "platform/print/pdf/PdfFilePrinter.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>

#include "platform/charset/Conversion.h"
#include "platform/print/pdf/PdfFileJob.h"

namespace plat::print {
namespace {

constexpr uint16_t kPdfResolution = 150;

Paper a4() { return Paper{"A4", 2100, 2970}; }
Paper letter() { return Paper{"Letter", 2159, 2794}; }

// A job title as the stem of a file name, in UTF-8 as every name on the disc: no folder
// separators, no leading dot, never empty.
std::string fileStemOf(const std::string& title) {
    std::string name;
    for (char c : cp1252ToUtf8(title)) name += (c == '/' || c == '\0') ? '_' : c;
    while (!name.empty() && name.front() == '.') name.erase(name.begin());
    return name.empty() ? std::string("Untitled") : name;
}

// "<stem>.pdf" in the folder, or "<stem> (2).pdf" and on when that is taken, so that printing
// never replaces a document of the user's; empty when every numbered name is taken.
std::string freePdfName(const std::string& folder, const std::string& stem) {
    for (uint32_t n = 1; n <= kMaxPdfNameNumber; ++n) {
        const std::string path = folder + "/" + stem + (n == 1 ? "" : " (" + std::to_string(n) + ")") + ".pdf";
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 && errno == ENOENT) return path;
    }
    return {};
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
        settings.outputPath.empty()
            ? freePdfName(settings.outputFolder.empty() ? homeFolder() : settings.outputFolder, fileStemOf(title))
            : settings.outputPath;
    if (path.empty()) {
        *error = kSpoolError;
        return nullptr;
    }
    return PdfFileJob::create(path, title, std::move(abort), error);
}

}  // namespace plat::print
