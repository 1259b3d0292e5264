#include "media/swf/FileStream.h"

#include <cstring>
#include <filesystem>
#include <system_error>

#include "engine/base/MemoryHandles.h"

namespace swf {

fstream::fstream(const char* fileName, int mode) : fileName_(fileName) {
    const bool reading = mode == 0 || mode == 1;
    // A pipe given a Flash file's name would hold the open until someone wrote to it.
    std::error_code failed;
    file_ = !reading || std::filesystem::is_regular_file(fileName, failed) ? std::fopen(fileName, reading ? "rb" : "w+b") : nullptr;
    window_ = static_cast<u8*>(memAllocPtr(kWindowSize));
    if (!file_ || !window_ || std::fseek(file_, 0, SEEK_END) != 0) {
        Keep(kErrMemory);
        return;
    }
    const long end = std::ftell(file_);
    if (end < 0 || u64(end) > 0xFFFFFFFFu) {
        Keep(kErrMemory);
        return;
    }
    std::memset(window_, 0, kWindowSize);
    fileSize_ = u32(end);
    windowStart_ = fileSize_;
}

fstream::~fstream() {
    // A byte still held by bit writes would otherwise never reach the file.
    if (file_ && window_) FlushHeld();
    if (file_ && window_ && windowUsed_) FlushWindow();
    if (window_) memFreePtr(window_);
    if (file_) std::fclose(file_);
}

// Bytes still in the window count: a bit write over one of them must keep its other bits.
Result fstream::Size(u32& size) {
    const u32 windowEnd = windowStart_ + windowUsed_;
    size = windowEnd > fileSize_ ? windowEnd : fileSize_;
    return kOk;
}

Result fstream::FlushWindow() {
    if (std::fseek(file_, long(windowStart_), SEEK_SET) != 0) return kErrMemory;
    if (std::fwrite(window_, 1, windowUsed_, file_) != windowUsed_) return kErrMemory;
    if (windowStart_ + windowUsed_ > fileSize_) fileSize_ = windowStart_ + windowUsed_;
    windowStart_ = fileSize_;
    windowUsed_ = 0;
    std::memset(window_, 0, kWindowSize);
    return kOk;
}

Result fstream::Read(u32 position, u32 length, u8* bytes) {
    if (!file_) return kErrMemory;
    // Reading back what was just written, as tag headers are compacted, stays in the window.
    if (position >= windowStart_ && u64(position) + length <= u64(windowStart_) + windowUsed_) {
        if (length) std::memcpy(bytes, window_ + (position - windowStart_), length);
        return kOk;
    }
    if (windowUsed_ && u64(position) + length > windowStart_) SWF_TRY(FlushWindow());
    if (std::fseek(file_, long(position), SEEK_SET) != 0) return kErrMemory;
    if (length && std::fread(bytes, 1, length, file_) != length) return kErrMemory;
    return kOk;
}

Result fstream::WriteDirect(u32 position, u32 length, const u8* bytes) {
    if (std::fseek(file_, long(position), SEEK_SET) != 0) return kErrMemory;
    if (length && std::fwrite(bytes, 1, length, file_) != length) return kErrMemory;
    if (position + length > fileSize_) fileSize_ = position + length;
    windowStart_ = fileSize_;
    return kOk;
}

Result fstream::Write(u32 position, u32 length, const u8* bytes) {
    if (!file_ || !window_) return kErrMemory;
    const u64 end = u64(position) + length;
    if (end > 0xFFFFFFFFu) return kErrMemory;
    if (position >= windowStart_ && end <= u64(windowStart_) + kWindowSize) {
        if (length) std::memcpy(window_ + (position - windowStart_), bytes, length);
        if (end - windowStart_ > windowUsed_) windowUsed_ = u32(end - windowStart_);
        return kOk;
    }
    if (windowUsed_) SWF_TRY(FlushWindow());
    return WriteDirect(position, length, bytes);
}

}  // namespace swf

namespace swf {

Result fstream::Truncate(u32 size) {
    if (!file_) return kErrMemory;
    if (windowUsed_) SWF_TRY(FlushWindow());
    // Truncating ends every write of a movie: a full disk shows only once the standard
    // library's buffer is pushed out, and must fail the write rather than the close.
    if (std::fflush(file_) != 0) return kErrMemory;
    if (size >= fileSize_) return kOk;
    std::error_code error;
    std::filesystem::resize_file(fileName_, size, error);
    if (error) return kErrMemory;
    fileSize_ = size;
    windowStart_ = size;
    return kOk;
}

}  // namespace swf
