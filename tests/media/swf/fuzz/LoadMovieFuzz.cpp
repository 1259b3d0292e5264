// Loads arbitrary bytes as a movie and writes back whatever was read. A movie that loads
// must write, and what it writes must load again and write the very same bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "media/swf/Document.h"
#include "media/swf/Movie.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 0xFFFFFFFFu) return 0;
    swf::document movie;
    const swf::Result loaded = swf::LoadMovieFromMemory(movie, data, u32(size));
    std::vector<u8> written;
    const swf::Result saved = swf::SaveMovieToMemory(movie, written);
    if (loaded != swf::kOk) return 0;
    if (saved != swf::kOk) __builtin_trap();

    swf::document again;
    if (swf::LoadMovieFromMemory(again, written.data(), u32(written.size())) != swf::kOk) __builtin_trap();
    std::vector<u8> rewritten;
    if (swf::SaveMovieToMemory(again, rewritten) != swf::kOk || rewritten != written) __builtin_trap();
    return 0;
}
