#pragma once
// A stream on a buffered standard-library file. Small writes are gathered in one 4096-byte
// window at the end of the file so that bit-level writing of a movie does not become many
// tiny file writes. Reads inside the window are served from it; other reads go to the file
// after flushing window data they could overlap.
// Writing streams are opened readable too, because tag headers are compacted by reading
// back what was written. A failed open leaves LastStatus() at kErrMemory.
#include <cstdio>
#include <string>

#include "media/swf/Stream.h"

namespace swf {

class fstream : public stream {
public:
    // Modes 0 and 1 open an existing file for reading; any other mode creates or truncates.
    fstream(const char* fileName, int mode);
    ~fstream() override;

    Result Size(u32& size) override;
    Result Read(u32 position, u32 length, u8* bytes) override;
    Result Write(u32 position, u32 length, const u8* bytes) override;
    Result Truncate(u32 size) override;

    static constexpr u32 kWindowSize = 4096;

private:
    Result FlushWindow();
    Result WriteDirect(u32 position, u32 length, const u8* bytes);

    std::string fileName_;
    std::FILE* file_ = nullptr;
    u32 fileSize_ = 0;
    u8* window_ = nullptr;
    u32 windowStart_ = 0;
    u32 windowUsed_ = 0;
};

}  // namespace swf
