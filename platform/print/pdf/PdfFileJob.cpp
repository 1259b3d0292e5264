#include "platform/print/pdf/PdfFileJob.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

namespace plat::print {
namespace {

// A finished file is readable by everyone, like any document the user saves.
constexpr mode_t kFileMode = 0644;

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

void flushFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

int spoolCodeOfErrno(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return kSpoolOutOfDisk;
    case ENOMEM: return kSpoolOutOfMemory;
    default: return kSpoolError;
    }
}

std::unique_ptr<PdfFileJob> PdfFileJob::create(const std::string& path, const std::string& title, AbortProc abort,
                                               int* error) {
    std::vector<char> pattern(path.begin(), path.end());
    const std::string suffix = ".part-XXXXXX";
    pattern.insert(pattern.end(), suffix.begin(), suffix.end());
    pattern.push_back('\0');
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        *error = spoolCodeOfErrno(errno);
        return nullptr;
    }
    auto job = std::unique_ptr<PdfFileJob>(new PdfFileJob(path, pattern.data(), fd, title, std::move(abort)));
    *error = job->writer_.begin();
    if (*error != kSpoolOk) return nullptr;
    return job;
}

PdfFileJob::PdfFileJob(std::string path, std::string temp, int fd, std::string title, AbortProc abort)
    : path_(std::move(path)),
      temp_(std::move(temp)),
      fd_(fd),
      title_(std::move(title)),
      abort_(std::move(abort)),
      writer_([this](const uint8_t* data, size_t size) { return write(data, size); }),
      state_(kSpoolOk) {}

PdfFileJob::~PdfFileJob() { discard(); }

int PdfFileJob::write(const uint8_t* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd_, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return spoolCodeOfErrno(errno);
        }
        data += n;
        size -= size_t(n);
    }
    return kSpoolOk;
}

int PdfFileJob::addPage(const PageImage& page) {
    if (fd_ < 0) return kSpoolError;
    return writer_.addPage(page, [this] { return !abort_ || abort_(kSpoolOk); });
}

int PdfFileJob::finish() {
    if (fd_ < 0) return kSpoolError;
    int code = writer_.finish(title_);
    if (code == kSpoolOk && (::fchmod(fd_, kFileMode) != 0 || ::fsync(fd_) != 0)) code = spoolCodeOfErrno(errno);
    if (code == kSpoolOk) {
        const int closed = ::close(fd_);
        fd_ = -1;
        if (closed != 0 || ::rename(temp_.c_str(), path_.c_str()) != 0) code = spoolCodeOfErrno(errno);
    }
    if (code != kSpoolOk) {
        discard();
        return code;
    }
    temp_.clear();
    flushFolder(folderOf(path_));
    finished_ = true;
    return kSpoolOk;
}

void PdfFileJob::abort() { discard(); }

void PdfFileJob::discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temp_.empty()) ::unlink(temp_.c_str());
    temp_.clear();
}

}  // namespace plat::print
