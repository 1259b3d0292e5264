#pragma once
// A print job that writes a PDF file. Pages go into a new file beside the target; finishing
// writes the end of the document, flushes it to the disk and moves it over the target in one
// step, so the target is either the old file or the whole new document, never half of one.
// An abandoned job removes its new file.
#include <string>

#include "platform/print/PrintBackend.h"
#include "platform/print/pdf/PdfWriter.h"

namespace plat::print {

class PdfFileJob : public PrintJob {
public:
    // Null with the code in `error` when the new file cannot be made.
    static std::unique_ptr<PdfFileJob> create(const std::string& path, const std::string& title, AbortProc abort,
                                              int* error);
    ~PdfFileJob() override;

    int addPage(const PageImage& page) override;
    int finish() override;
    void abort() override;
    std::string writtenFile() const override { return finished_ ? path_ : std::string(); }

    const std::string& path() const { return path_; }

private:
    PdfFileJob(std::string path, std::string temp, int fd, std::string title, AbortProc abort);
    int write(const uint8_t* data, size_t size);
    void discard();

    std::string path_;
    std::string temp_;
    int fd_;
    std::string title_;
    AbortProc abort_;
    PdfWriter writer_;
    int state_;
    bool finished_ = false;
};

// The spooler code of a failed file call's errno.
int spoolCodeOfErrno(int error);

}  // namespace plat::print
