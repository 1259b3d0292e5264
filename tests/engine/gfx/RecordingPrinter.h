#pragma once
// A print backend for tests: one printer, "Recorder", whose settings and capabilities a test
// sets, and jobs that keep what they were given. Like a real job, a recording job asks its
// abort procedure before it takes each page, and it can be told to fail a page with a code.
#include <memory>
#include <string>
#include <vector>

#include "platform/print/PrintBackend.h"

namespace testprint {

struct RecordedJob {
    plat::print::PrinterSettings settings;
    std::string title;
    // The top-left pixel of each page taken (blue, green, red as stored).
    std::vector<uint32_t> pages;
    bool finished = false;
    bool aborted = false;
};

class RecordingPrinter : public plat::print::PrintBackend {
public:
    RecordingPrinter() {
        settings.device = "Recorder";
        settings.isDefault = true;
        settings.fields = plat::print::kFieldOrientation | plat::print::kFieldColor | plat::print::kFieldPaperSize;
        // One inch square at 20 pixels per inch.
        settings.paper = plat::print::Paper{"Square", 254, 254};
        settings.resolution = 20;
    }

    std::vector<std::string> printers() override {
        std::vector<std::string> names{settings.device};
        for (const plat::print::PrinterSettings& other : others) names.push_back(other.device);
        return names;
    }
    bool printerSettings(const std::string& device, plat::print::PrinterSettings* out) override {
        if (device == settings.device) {
            *out = settings;
            return true;
        }
        for (const plat::print::PrinterSettings& other : others)
            if (other.device == device) {
                *out = other;
                return true;
            }
        return false;
    }
    bool defaultPrinter(plat::print::PrinterSettings* out) override {
        if (!hasDefault) return false;
        *out = settings;
        return true;
    }
    bool capabilities(const std::string& device, plat::print::PrinterCapabilities* out) override {
        if (device != settings.device) return false;
        *out = caps;
        return true;
    }
    std::unique_ptr<plat::print::PrintJob> startJob(const plat::print::PrinterSettings& given, const std::string& title,
                                                    plat::print::AbortProc abort, int* error) override;

    plat::print::PrinterSettings settings;
    plat::print::PrinterCapabilities caps;
    // Further printers the list offers; they only give their settings.
    std::vector<plat::print::PrinterSettings> others;
    bool hasDefault = true;
    int startError = plat::print::kSpoolOk;
    // The page (counted from 1 over the whole job) that fails, and with which code.
    size_t failPage = 0;
    int failCode = plat::print::kSpoolError;
    int finishCode = plat::print::kSpoolOk;
    std::vector<RecordedJob> jobs;
};

class RecordingJob : public plat::print::PrintJob {
public:
    RecordingJob(RecordingPrinter& printer, size_t index, plat::print::AbortProc abort)
        : printer_(printer), index_(index), abort_(std::move(abort)) {}
    int addPage(const plat::print::PageImage& page) override {
        RecordedJob& job = printer_.jobs[index_];
        if (printer_.failPage == job.pages.size() + 1) return printer_.failCode;
        if (abort_ && !abort_(plat::print::kSpoolOk)) return plat::print::kSpoolAppAbort;
        job.pages.push_back(uint32_t(page.pixels[0]) | uint32_t(page.pixels[1]) << 8 | uint32_t(page.pixels[2]) << 16);
        return plat::print::kSpoolOk;
    }
    int finish() override {
        printer_.jobs[index_].finished = printer_.finishCode == plat::print::kSpoolOk;
        return printer_.finishCode;
    }
    void abort() override { printer_.jobs[index_].aborted = true; }

private:
    RecordingPrinter& printer_;
    size_t index_;
    plat::print::AbortProc abort_;
};

inline std::unique_ptr<plat::print::PrintJob> RecordingPrinter::startJob(const plat::print::PrinterSettings& given,
                                                                         const std::string& title,
                                                                         plat::print::AbortProc abort, int* error) {
    if (startError != plat::print::kSpoolOk || given.device != settings.device) {
        *error = startError;
        return nullptr;
    }
    jobs.push_back(RecordedJob{given, title, {}, false, false});
    return std::make_unique<RecordingJob>(*this, jobs.size() - 1, std::move(abort));
}

}  // namespace testprint
