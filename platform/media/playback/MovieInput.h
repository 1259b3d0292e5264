#pragma once
// Where a movie's bytes come from: a file given by its host path (the whole file or a byte
// range of it, as when a movie is kept inside an archive) or a copy of bytes in memory. An
// input is read at any position by any number of demuxers at once; it never changes.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/media/MediaRuntimeAbi.h"

namespace plat::media {

class MovieInput {
public:
    ~MovieInput();
    MovieInput(const MovieInput&) = delete;
    MovieInput& operator=(const MovieInput&) = delete;

    // `length` 0 takes the file from `offset` to its end; a range that passes the end of the
    // file is refused (kMrParamErr), a file that cannot be opened gives kMrFileNotFound.
    static MrErr openFile(const std::string& path, uint64_t offset, uint64_t length,
                          std::shared_ptr<const MovieInput>* out);
    static std::shared_ptr<const MovieInput> copyOf(const uint8_t* data, size_t size);

    uint64_t size() const { return size_; }
    // Copies at most `count` bytes from `position`; the number copied (0 at or past the end).
    size_t read(uint64_t position, uint8_t* out, size_t count) const;

private:
    MovieInput() = default;

    int fd_ = -1;
    uint64_t offset_ = 0;
    uint64_t size_ = 0;
    std::vector<uint8_t> bytes_;
};

}  // namespace plat::media
