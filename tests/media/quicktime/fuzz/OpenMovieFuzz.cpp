// Movies opened from memory through the client and played a little, the runtime linked in:
// damaged movies are refused or play without reading outside their data.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "media/quicktime/QtMovies.h"

extern "C" const plat::media::MediaRuntimeTable* tumbloMediaRuntimeTable();

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = qtConnectTable(tumbloMediaRuntimeTable(), kQtConnectFlags) == 0;
    if (!ready) return 0;
    MrMovie* movie = nullptr;
    if (qtOpenMovieFromMemory(data, uint32_t(size), &movie) != 0) return 0;
    MrWorld* world = nullptr;
    const MrRect bounds{0, 0, 24, 32};
    qtNewWorldOfFormat(&world, plat::media::kMrFormatL555, &bounds);
    qtSetMovieWorld(movie, world);
    const MrTime duration = qtGetMovieDuration(movie);
    for (MrTime t : {MrTime(0), duration / 3, duration, MrTime(1)}) {
        qtSetMovieTimeValue(movie, t);
        qtMoviesTask(movie, 0);
    }
    qtStartMovie(movie);
    std::vector<int16_t> sound(512 * 2);
    qtReadMovieSound(movie, sound.data(), 512);
    qtDisposeMovie(movie);
    qtDisposeWorld(world);
    return 0;
}
