// libFuzzer target: any file taken as a player file. A trailer that is read names a movie
// that lies wholly inside the file, just before the trailer; the program's own bytes are what
// lies before the movie, or the whole file when there is no trailer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "media/export/ProjectorTrailer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<u8> bytes(data, data + size);
    if (bytes.size() < kProjectorTrailerSize) return 0;
    const std::span<const u8> trailer(bytes.data() + bytes.size() - kProjectorTrailerSize, kProjectorTrailerSize);
    // The same trailer read as the tail of files of other sizes too.
    for (const u64 fileSize : {u64(bytes.size()), u64(data[0]), u64(0xFFFFFFFFull) + data[0]}) {
        u64 offset = 0;
        u32 length = 0;
        const bool found = ReadProjectorTrailer(trailer, fileSize, &offset, &length);
        if (found && offset + length + kProjectorTrailerSize != fileSize) std::abort();
        if (ProjectorProgramSize(trailer, fileSize) != (found ? offset : fileSize)) std::abort();
    }
    return 0;
}
