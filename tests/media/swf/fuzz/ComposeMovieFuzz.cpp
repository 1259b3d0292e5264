// Composes whatever loads as a movie into a new one as a sprite, and the same bytes as an
// archive wave: what the builder accepts must write, and what it writes must load again.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "media/swf/Document.h"
#include "media/swf/Movie.h"
#include "media/swf/MovieBuilder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 0xFFFFFFFFu) return 0;
    swf::MovieBuilder builder(swf::Rect{0, 0, 2000, 2000});
    auto source = std::make_unique<swf::document>();
    if (swf::LoadMovieFromMemory(*source, data, u32(size)) == swf::kOk)
        builder.MergeMovie(std::move(source), swf::Matrix{}, 1);
    builder.AddSound(data, u32(size));
    std::vector<u8> written;
    if (swf::SaveMovieToMemory(builder.Document(), written) != swf::kOk) return 0;
    swf::document again;
    if (swf::LoadMovieFromMemory(again, written.data(), u32(written.size())) != swf::kOk) __builtin_trap();
    return 0;
}
