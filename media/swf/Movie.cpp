#include "media/swf/Movie.h"

#include <cstring>

#include "engine/base/MemoryHandles.h"
#include "media/swf/FileStream.h"
#include "media/swf/MemoryStream.h"

namespace swf {

namespace {

constexpr u32 kSaveGrowStep = 64 * 1024;

}  // namespace

Result LoadMovie(document& movie, stream& in) {
    SWF_TRY(movie.ReadHeader(in));
    return movie.ReadTags();
}

Result LoadMovieFromMemory(document& movie, const u8* bytes, u32 size) {
    u8* block = size ? static_cast<u8*>(memAllocPtr(size)) : nullptr;
    if (size && !block) return kErrMemory;
    if (size) std::memcpy(block, bytes, size);
    auto in = mstreamOnBuffer(block, size, 0);
    return LoadMovie(movie, *in);
}

Result LoadMovieFromFile(document& movie, const char* fileName) {
    fstream in(fileName, 0);
    if (in.LastStatus() != kOk) return in.LastStatus();
    return LoadMovie(movie, in);
}

Result SaveMovieToMemory(document& movie, std::vector<u8>& bytes) {
    mstream out(kSaveGrowStep);
    SWF_TRY(movie.Write(out));
    u32 size = 0;
    u8* block = out.Detach(size);
    bytes.assign(block, block + size);
    if (block) memFreePtr(block);
    return kOk;
}

Result SaveMovieToFile(document& movie, const char* fileName) {
    fstream out(fileName, 2);
    if (out.LastStatus() != kOk) return out.LastStatus();
    return movie.Write(out);
}

}  // namespace swf
