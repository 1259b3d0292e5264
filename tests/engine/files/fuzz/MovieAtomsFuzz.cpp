// libFuzzer target: any bytes given to the movie search and the chunk-offset relocation are
// refused or relocated without a read or write outside them, and a refused movie is unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/files/MovieAtoms.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    const u32 delta = u32(data[0]) << 24 | u32(data[1]) << 16 | u32(data[2]) << 8 | data[3];
    const std::vector<u8> file(data + 4, data + size);
    u32 offset = 0;
    u32 length = 0;
    if (FindMovieAtom(file, 0, &offset, &length) == 0) {
        if (u64(offset) + length > file.size()) std::abort();
        std::vector<u8> movie(file.begin() + offset, file.begin() + offset + length);
        const std::vector<u8> before = movie;
        if (RelocateMovieChunkOffsets(movie, delta) != 0 && movie != before) std::abort();
    }
    const AtomBytesReader read = [&file](u64 at, u8* out, u32 count) {
        if (at > file.size() || count > file.size() - at) std::abort();
        std::memcpy(out, file.data() + at, count);
        return true;
    };
    const u16 checked = CheckMovieInPlace(file.size(), read, u32(file.size()));
    if ((checked == kMovieErrNoMovieAtom) != (FindMovieAtom(file, 0, &offset, &length) == kMovieErrNoMovieAtom)) std::abort();
    std::vector<u8> whole = file;
    if (RelocateMovieChunkOffsets(whole, delta) != 0 && whole != file) std::abort();
    return 0;
}
