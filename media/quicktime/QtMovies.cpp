#include "media/quicktime/QtMovies.h"

MrErr qtOpenMovieFile(const char* path, MrMovie** out) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->playback.openMovieFile(path, out) : kQtErrNotAvailable;
}

MrErr qtOpenMovieFileRange(const char* path, uint64_t offset, uint64_t length, MrMovie** out) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->playback.openMovieFileRange(path, offset, length, out) : kQtErrNotAvailable;
}

MrErr qtOpenMovieFromMemory(const uint8_t* data, uint32_t size, MrMovie** out) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->playback.openMovieFromMemory(data, size, out) : kQtErrNotAvailable;
}

void qtStartMovie(MrMovie* movie) {
    const auto* runtime = qtRuntime();
    if (runtime) runtime->playback.startMovie(movie);
}

void qtStopMovie(MrMovie* movie) {
    const auto* runtime = qtRuntime();
    if (runtime) runtime->playback.stopMovie(movie);
}

MrTime qtGetMovieTime(MrMovie* movie) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->playback.getMovieTime(movie) : 0;
}

void qtSetMovieTimeValue(MrMovie* movie, MrTime time) {
    const auto* runtime = qtRuntime();
    if (runtime) runtime->playback.setMovieTimeValue(movie, time);
}

MrFixed qtGetMovieRate(MrMovie* movie) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->playback.getMovieRate(movie) : 0;
}

void qtSetMovieRate(MrMovie* movie, MrFixed rate) {
    const auto* runtime = qtRuntime();
    if (runtime) runtime->playback.setMovieRate(movie, rate);
}

void qtSetMovieWorld(MrMovie* movie, MrWorld* world) {
    const auto* runtime = qtRuntime();
    if (runtime) runtime->playback.setMovieWorld(movie, world);
}

void qtSetMovieActive(MrMovie* movie, uint8_t active) {
    const auto* runtime = qtRuntime();
    if (runtime) runtime->playback.setMovieActive(movie, active);
}

MrErr qtMoviesTask(MrMovie* movie, int32_t maxMilliseconds) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->playback.moviesTask(movie, maxMilliseconds) : kQtErrNotAvailable;
}

uint8_t qtIsMovieDone(MrMovie* movie) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->playback.isMovieDone(movie) : 0;
}

void qtSetMovieDrawingCompleteProc(MrMovie* movie, MrDrawingCompleteProc proc, intptr_t refcon) {
    const auto* runtime = qtRuntime();
    if (runtime) runtime->playback.setMovieDrawingCompleteProc(movie, proc, refcon);
}

uint32_t qtReadMovieSound(MrMovie* movie, int16_t* out, uint32_t frames) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->playback.readMovieSound(movie, out, frames) : 0;
}
