#pragma once
// The seam between printing and the machine. A backend lists its printers, names the default
// one with its settings, says what a printer can do and starts jobs. A job takes rendered
// pages one at a time and, while it works on a page, asks its abort procedure between bands
// of rows (code kSpoolOk), so the program can show progress and take a Cancel; an answer of
// false stops the page with kSpoolAppAbort. A job that is finished leaves its whole output;
// one that is abandoned (abort, or destroyed unfinished) leaves nothing behind.
// Which backend prints is chosen in platform/print/choice/PrintChoice.h. User-interface
// thread only.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/print/PrintTypes.h"

namespace plat::print {

using AbortProc = std::function<bool(int code)>;

class PrintJob {
public:
    virtual ~PrintJob() = default;
    // kSpoolOk, or the code that stopped the page.
    virtual int addPage(const PageImage& page) = 0;
    virtual int finish() = 0;
    virtual void abort() = 0;
    // The file a finished job wrote, for a printer that writes files; empty otherwise.
    virtual std::string writtenFile() const { return {}; }
};

class PrintBackend {
public:
    virtual ~PrintBackend() = default;
    virtual std::vector<std::string> printers() = 0;
    // False when the system has no default printer.
    virtual bool defaultPrinter(PrinterSettings* out) = 0;
    // The settings a printer starts with; false when there is no such printer.
    virtual bool printerSettings(const std::string& device, PrinterSettings* out) = 0;
    // False when there is no such printer.
    virtual bool capabilities(const std::string& device, PrinterCapabilities* out) = 0;
    // Null with the code in `error` when the job cannot start. The title is the program's text
    // (cp1252), turned into UTF-8 wherever it leaves the program: a file's name, a queue's job.
    virtual std::unique_ptr<PrintJob> startJob(const PrinterSettings& settings, const std::string& title, AbortProc abort,
                                               int* error) = 0;
};

}  // namespace plat::print
