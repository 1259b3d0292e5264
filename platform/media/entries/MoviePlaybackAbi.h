#pragma once
// The runtime table's playback entries: movies opened from a file by its host path (UTF-8),
// from a byte range of a file or from a copy of bytes in memory, and played: time, rate,
// world, activity, the pending work of a movie (drawing its picture into its world at its box,
// then the drawing-complete procedure; topping its sound up), its end, and the sound due now
// for the mixer. Times are in the movie's time scale, rates 16.16 fixed point. The box, time
// scale and duration are the editing entries'. A null movie sets the movies error to
// kMrParamErr and does nothing. UI thread, apart from readMovieSound (the mixer's thread).
#include <cstdint>

#include "platform/media/movie/MovieEditingAbi.h"

namespace plat::media {

// The sound readMovieSound gives: 16-bit stereo frames at this rate.
constexpr int32_t kMrMovieSoundRate = 22050;
constexpr int32_t kMrMovieSoundChannels = 2;

using MrDrawingCompleteProc = MrErr (*)(MrMovie* movie, intptr_t refcon);
using MrMillisecondClock = uint32_t (*)();

struct MoviePlaybackEntries {
    // The clock movie times run on; null puts the runtime's own monotonic clock back.
    void (*setPlaybackClock)(MrMillisecondClock clock);
    MrErr (*openMovieFile)(const char* path, MrMovie** out);
    // `length` 0 reads to the end of the file; a range past the end is kMrParamErr.
    MrErr (*openMovieFileRange)(const char* path, uint64_t offset, uint64_t length, MrMovie** out);
    MrErr (*openMovieFromMemory)(const uint8_t* data, uint32_t size, MrMovie** out);
    void (*startMovie)(MrMovie* movie);
    void (*stopMovie)(MrMovie* movie);
    MrTime (*getMovieTime)(MrMovie* movie);
    void (*setMovieTimeValue)(MrMovie* movie, MrTime time);
    MrFixed (*getMovieRate)(MrMovie* movie);
    void (*setMovieRate)(MrMovie* movie, MrFixed rate);
    void (*setMovieWorld)(MrMovie* movie, MrWorld* world);
    void (*setMovieActive)(MrMovie* movie, uint8_t active);
    MrErr (*moviesTask)(MrMovie* movie, int32_t maxMilliseconds);
    uint8_t (*isMovieDone)(MrMovie* movie);
    void (*setMovieDrawingCompleteProc)(MrMovie* movie, MrDrawingCompleteProc proc, intptr_t refcon);
    uint32_t (*readMovieSound)(MrMovie* movie, int16_t* out, uint32_t frames);
};

}  // namespace plat::media
