#include "platform/media/playback/MovieInput.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/files/regular/RegularFile.h"

namespace plat::media {

MovieInput::~MovieInput() {
    if (fd_ >= 0) ::close(fd_);
}

MrErr MovieInput::openFile(const std::string& path, uint64_t offset, uint64_t length,
                           std::shared_ptr<const MovieInput>* out) {
    if (!out || path.empty()) return kMrParamErr;
    const int fd = openRegularFile(path, O_RDONLY);
    if (fd < 0) return kMrFileNotFound;
    std::shared_ptr<MovieInput> input(new MovieInput);
    input->fd_ = fd;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return kMrIoErr;
    const uint64_t fileSize = uint64_t(info.st_size);
    if (offset > fileSize) return kMrParamErr;
    const uint64_t available = fileSize - offset;
    if (length > available) return kMrParamErr;
    input->offset_ = offset;
    input->size_ = length ? length : available;
    *out = std::move(input);
    return kMrNoErr;
}

std::shared_ptr<const MovieInput> MovieInput::copyOf(const uint8_t* data, size_t size) {
    std::shared_ptr<MovieInput> input(new MovieInput);
    if (size) input->bytes_.assign(data, data + size);
    input->size_ = size;
    return input;
}

size_t MovieInput::read(uint64_t position, uint8_t* out, size_t count) const {
    if (position >= size_) return 0;
    const size_t n = size_t(std::min<uint64_t>(count, size_ - position));
    if (fd_ < 0) {
        std::copy_n(bytes_.data() + position, n, out);
        return n;
    }
    size_t done = 0;
    while (done < n) {
        const ssize_t got = ::pread(fd_, out + done, n - done, off_t(offset_ + position + done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += size_t(got);
    }
    return done;
}

}  // namespace plat::media
