#include "platform/print/cups/CupsPrint.h"

#include <cups/cups.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/charset/Conversion.h"
#include "platform/print/cups/CupsJobOptions.h"
#include "platform/print/pdf/PdfFileJob.h"
#include "platform/print/pdf/PdfFilePrinter.h"

namespace plat::print {
namespace {

// CUPS prints at this resolution; pages are rendered to match.
constexpr uint16_t kCupsResolution = 300;

// The system's destinations, freed when the list goes.
class Destinations {
public:
    Destinations() { count_ = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests_); }
    ~Destinations() { cupsFreeDests(count_, dests_); }
    Destinations(const Destinations&) = delete;
    Destinations& operator=(const Destinations&) = delete;

    int count() const { return count_; }
    cups_dest_t* at(int i) const { return &dests_[i]; }
    cups_dest_t* find(const std::string& name) const { return cupsGetDest(name.c_str(), nullptr, count_, dests_); }
    cups_dest_t* defaultDest() const {
        for (int i = 0; i < count_; ++i)
            if (dests_[i].is_default) return &dests_[i];
        return nullptr;
    }

private:
    int count_ = 0;
    cups_dest_t* dests_ = nullptr;
};

// CUPS measures paper in hundredths of a millimetre.
Paper paperOf(const cups_size_t& size) {
    return Paper{size.media, uint32_t(size.width / 10), uint32_t(size.length / 10), uint32_t(size.left / 10),
                 uint32_t(size.top / 10), uint32_t(size.right / 10), uint32_t(size.bottom / 10)};
}

PrinterCapabilities capabilitiesOf(cups_dest_t* dest, cups_dinfo_t* info) {
    PrinterCapabilities caps;
    caps.maxCopies = 1;
    if (ipp_attribute_t* copies = cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest, info, CUPS_COPIES)) {
        int upper = 1;
        ippGetRange(copies, 0, &upper);
        caps.maxCopies = uint16_t(upper < 1 ? 1 : upper > 0xFFFF ? 0xFFFF : upper);
    }
    caps.collate = cupsCheckDestSupported(CUPS_HTTP_DEFAULT, dest, info, "multiple-document-handling",
                                          "separate-documents-collated-copies") != 0;
    caps.color = cupsCheckDestSupported(CUPS_HTTP_DEFAULT, dest, info, CUPS_PRINT_COLOR_MODE,
                                        CUPS_PRINT_COLOR_MODE_COLOR) != 0;
    const int media = cupsGetDestMediaCount(CUPS_HTTP_DEFAULT, dest, info, CUPS_MEDIA_FLAGS_DEFAULT);
    for (int i = 0; i < media; ++i) {
        cups_size_t size;
        if (cupsGetDestMediaByIndex(CUPS_HTTP_DEFAULT, dest, info, i, CUPS_MEDIA_FLAGS_DEFAULT, &size))
            caps.papers.push_back(paperOf(size));
    }
    return caps;
}

PrinterSettings settingsOf(cups_dest_t* dest, cups_dinfo_t* info) {
    PrinterSettings settings;
    settings.device = dest->name;
    settings.isDefault = dest->is_default != 0;
    settings.fields = kFieldOrientation | kFieldPaperSize | kFieldCopies | kFieldColor;
    settings.resolution = kCupsResolution;
    cups_size_t size;
    if (cupsGetDestMediaDefault(CUPS_HTTP_DEFAULT, dest, info, CUPS_MEDIA_FLAGS_DEFAULT, &size))
        settings.paper = paperOf(size);
    return settings;
}

// A new folder of the user's own in the temporary folder, so that no one else can take the
// spooled file's name or read the picture; empty with errno set when it cannot be made.
std::string makeSpoolFolder() {
    const char* temp = std::getenv("TMPDIR");
    const std::string pattern = std::string(temp && *temp ? temp : P_tmpdir) + "/tumblo-print-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    return ::mkdtemp(name.data()) ? std::string(name.data()) : std::string();
}

// The PDF goes to a file in a spool folder of its own and, once whole, to CUPS; the file and
// its folder go with the job.
class CupsJob : public PrintJob {
public:
    CupsJob(std::string folder, std::unique_ptr<PdfFileJob> file, PrinterSettings settings, std::string title)
        : folder_(std::move(folder)), file_(std::move(file)), settings_(std::move(settings)), title_(cp1252ToUtf8(title)) {}
    ~CupsJob() override {
        const std::string path = file_->path();
        file_.reset();
        ::unlink(path.c_str());
        ::rmdir(folder_.c_str());
    }

    int addPage(const PageImage& page) override { return file_->addPage(page); }
    void abort() override { file_->abort(); }
    int finish() override {
        const int code = file_->finish();
        if (code != kSpoolOk) return code;
        cups_option_t* options = nullptr;
        int count = 0;
        for (const auto& [name, value] : cupsJobOptions(settings_))
            count = cupsAddOption(name.c_str(), value.c_str(), count, &options);
        const int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, settings_.device.c_str(), file_->path().c_str(),
                                       title_.c_str(), count, options);
        cupsFreeOptions(count, options);
        return job > 0 ? kSpoolOk : kSpoolError;
    }

private:
    std::string folder_;
    std::unique_ptr<PdfFileJob> file_;
    PrinterSettings settings_;
    // As CUPS takes a job's name: UTF-8.
    std::string title_;
};

class CupsPrintBackend : public PrintBackend {
public:
    std::vector<std::string> printers() override {
        Destinations dests;
        std::vector<std::string> names;
        for (int i = 0; i < dests.count(); ++i) names.push_back(dests.at(i)->name);
        names.push_back(kPdfPrinterName);
        return names;
    }

    bool defaultPrinter(PrinterSettings* out) override {
        Destinations dests;
        cups_dest_t* dest = dests.defaultDest();
        if (!dest) {
            *out = pdfPrinterSettings(true);
            return true;
        }
        cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest);
        *out = settingsOf(dest, info);
        cupsFreeDestInfo(info);
        return true;
    }

    bool printerSettings(const std::string& device, PrinterSettings* out) override {
        Destinations dests;
        if (device == kPdfPrinterName) {
            *out = pdfPrinterSettings(dests.defaultDest() == nullptr);
            return true;
        }
        cups_dest_t* dest = dests.find(device);
        if (!dest) return false;
        cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest);
        *out = settingsOf(dest, info);
        cupsFreeDestInfo(info);
        return true;
    }

    bool capabilities(const std::string& device, PrinterCapabilities* out) override {
        if (device == kPdfPrinterName) {
            *out = pdfPrinterCapabilities();
            return true;
        }
        Destinations dests;
        cups_dest_t* dest = dests.find(device);
        if (!dest) return false;
        cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest);
        if (!info) return false;
        *out = capabilitiesOf(dest, info);
        cupsFreeDestInfo(info);
        return true;
    }

    std::unique_ptr<PrintJob> startJob(const PrinterSettings& settings, const std::string& title, AbortProc abort,
                                       int* error) override {
        if (settings.device == kPdfPrinterName) return startPdfFileJob(settings, title, std::move(abort), error);
        const std::string folder = makeSpoolFolder();
        if (folder.empty()) {
            *error = spoolCodeOfErrno(errno);
            return nullptr;
        }
        std::unique_ptr<PdfFileJob> file = PdfFileJob::create(folder + "/job.pdf", title, std::move(abort), error);
        if (!file) {
            ::rmdir(folder.c_str());
            return nullptr;
        }
        return std::make_unique<CupsJob>(folder, std::move(file), settings, title);
    }
};

}  // namespace

std::unique_ptr<PrintBackend> makeCupsPrintBackend() { return std::make_unique<CupsPrintBackend>(); }

}  // namespace plat::print
