#include "platform/media/entries/PlaybackEntries.h"

#include <memory>

#include "platform/media/entries/ModelMovieSource.h"
#include "platform/media/movie/MovieModel.h"
#include "platform/media/playback/MoviePlayer.h"
#include "platform/media/playback/PlaybackClock.h"

namespace plat::media {

namespace {

static_assert(kMrMovieSoundRate == kMovieSoundRate && kMrMovieSoundChannels == kMovieSoundChannels);

// The movie's player, made on first use and brought into step with the movie; null (and the
// movies error kMrParamErr) without a movie.
MoviePlayer* playerOf(MrMovie* movie) {
    if (!movie) {
        setMoviesError(kMrParamErr);
        return nullptr;
    }
    setMoviesError(kMrNoErr);
    if (!movie->player) movie->player = std::make_unique<MoviePlayer>(std::make_shared<ModelMovieSource>(*movie));
    MoviePlayer& player = *movie->player;
    if (movie->timeScale > 0 && movie->timeScale <= INT32_MAX && player.timeScale() != movie->timeScale)
        player.setTimeScale(int32_t(movie->timeScale));
    const MrRect box = movieBox(*movie);
    const MrRect held = player.box();
    if (box.top != held.top || box.left != held.left || box.bottom != held.bottom || box.right != held.right)
        player.setBox(box);
    return &player;
}

// A movie of the opened source that plays the source itself.
MrErr adopt(std::shared_ptr<MovieSource> source, MrMovie** out) {
    MrMovie* movie = movieFromSource(source);
    if (!movie) return moviesError() != kMrNoErr ? moviesError() : kMrNotAMovie;
    movie->player = std::make_unique<MoviePlayer>(std::move(source));
    *out = movie;
    return kMrNoErr;
}

void setClock(MrMillisecondClock clock) { setPlaybackClock(clock); }

MrErr openFile(const char* path, MrMovie** out) {
    if (!out || !path) return kMrParamErr;
    *out = nullptr;
    std::shared_ptr<MovieSource> source;
    const MrErr err = openMovieSource(path, 0, 0, &source);
    return err != kMrNoErr ? err : adopt(std::move(source), out);
}

MrErr openFileRange(const char* path, uint64_t offset, uint64_t length, MrMovie** out) {
    if (!out || !path) return kMrParamErr;
    *out = nullptr;
    std::shared_ptr<MovieSource> source;
    const MrErr err = openMovieSource(path, offset, length, &source);
    return err != kMrNoErr ? err : adopt(std::move(source), out);
}

MrErr openMemory(const uint8_t* data, uint32_t size, MrMovie** out) {
    if (!out || (!data && size)) return kMrParamErr;
    *out = nullptr;
    std::shared_ptr<MovieSource> source;
    const MrErr err = openMovieSourceFromMemory(data, size, &source);
    return err != kMrNoErr ? err : adopt(std::move(source), out);
}

void start(MrMovie* movie) {
    if (MoviePlayer* player = playerOf(movie)) player->start();
}

void stop(MrMovie* movie) {
    if (MoviePlayer* player = playerOf(movie)) player->stop();
}

MrTime getTime(MrMovie* movie) {
    MoviePlayer* player = playerOf(movie);
    return player ? MrTime(std::min<int64_t>(player->time(), INT32_MAX)) : 0;
}

void setTimeValue(MrMovie* movie, MrTime time) {
    if (MoviePlayer* player = playerOf(movie)) player->setTime(time);
}

MrFixed getRate(MrMovie* movie) {
    MoviePlayer* player = playerOf(movie);
    return player ? player->rate() : 0;
}

void setRate(MrMovie* movie, MrFixed rate) {
    if (MoviePlayer* player = playerOf(movie)) player->setRate(rate);
}

void setWorld(MrMovie* movie, MrWorld* world) {
    if (MoviePlayer* player = playerOf(movie)) player->setWorld(world);
}

void setActive(MrMovie* movie, uint8_t active) {
    if (MoviePlayer* player = playerOf(movie)) player->setActive(active != 0);
}

MrErr task(MrMovie* movie, int32_t) {
    MoviePlayer* player = playerOf(movie);
    if (!player) return kMrParamErr;
    const MrErr err = player->task();
    setMoviesError(err);
    return err;
}

uint8_t isDone(MrMovie* movie) {
    MoviePlayer* player = playerOf(movie);
    return player && player->done() ? 1 : 0;
}

void setDrawingComplete(MrMovie* movie, MrDrawingCompleteProc proc, intptr_t refcon) {
    MoviePlayer* player = playerOf(movie);
    if (!player) return;
    if (!proc) {
        player->setDrawingComplete(nullptr);
        return;
    }
    player->setDrawingComplete([movie, proc, refcon] { proc(movie, refcon); });
}

// The mixer's thread: the player is only read, never made here.
uint32_t readSound(MrMovie* movie, int16_t* out, uint32_t frames) {
    if (!movie || !movie->player) return 0;
    return movie->player->takeSound(out, frames);
}

}  // namespace

MoviePlaybackEntries playbackEntries() {
    return MoviePlaybackEntries{setClock, openFile,    openFileRange, openMemory, start,
                                stop,     getTime,     setTimeValue,  getRate,    setRate,
                                setWorld, setActive,   task,          isDone,     setDrawingComplete,
                                readSound};
}

}  // namespace plat::media
