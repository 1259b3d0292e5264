#include "media/quicktime/MovieExport.h"

#include <algorithm>
#include <cstdlib>

#include "media/quicktime/QtEffects.h"
#include "media/quicktime/QtMovies.h"

namespace {

int64_t ceilDiv(int64_t a, int64_t b) { return a >= 0 ? (a + b - 1) / b : -(-a / b); }

// The source units that cover `units` of the export movie once converted (rounded up, so the
// copy never falls short and the excess is trimmed).
int64_t sourceUnitsFor(int64_t units, int64_t exportScale, int64_t sourceScale) {
    return ceilDiv(units * sourceScale, exportScale);
}

MrTime clampTime(int64_t value) { return MrTime(std::clamp<int64_t>(value, 0, INT32_MAX)); }

// A movie opened from a file for the time of one insertion.
struct OpenedMovie {
    MrMovie* movie = nullptr;
    ~OpenedMovie() {
        if (movie) qtDisposeMovie(movie);
    }
};

// Pictures are opened as movies of one still picture. Whatever cannot be read as a movie is
// no movie; only a file that is not there says so.
MrErr openMovie(const std::string& file, uint32_t fileType, OpenedMovie& opened) {
    const MrErr err = fileType == kExportTypeJpeg ? qtNewMovieFromPictureFile(file.c_str(), &opened.movie)
                                                  : qtOpenMovieFile(file.c_str(), &opened.movie);
    if (err == kExportErrFileNotFound) return err;
    return err == 0 && opened.movie ? MrErr(0) : MrErr(kExportErrNotAMovie);
}

}  // namespace

int64_t exportUnitsOfMs(int64_t ms, int64_t timeScale) { return timeScale > 0 ? ms * timeScale / 1000 : 0; }
int64_t exportMsOfUnits(int64_t units, int64_t timeScale) { return timeScale > 0 ? units * 1000 / timeScale : 0; }

MovieExport::~MovieExport() {
    if (movie_) qtDisposeMovie(movie_);
}

i16 MovieExport::exportCreateTempMovie(const std::string& target, int32_t timeScale, uint8_t) {
    if (movie_) qtDisposeMovie(movie_);
    movie_ = nullptr;
    target_ = target;
    if (timeScale <= 0 || target.empty()) return kExportErrParam;
    movie_ = qtNewMovie(timeScale);
    if (!movie_) return qtGetMoviesError();
    timeScale_ = timeScale;
    return 0;
}

MovieExport::Range MovieExport::rangeOf(int32_t startMs, int64_t lengthMs) const {
    Range range;
    range.start = exportUnitsOfMs(startMs, timeScale_);
    range.length = exportUnitsOfMs(int64_t(startMs) + lengthMs, timeScale_) - range.start;
    range.lengthMs = lengthMs;
    return range;
}

MrErr MovieExport::trimTo(MrTrack* track, int64_t end) {
    const int64_t duration = qtGetTrackDuration(track);
    if (duration <= end) return 0;
    return qtDeleteTrackSegment(track, clampTime(end), clampTime(duration - end));
}

void MovieExport::placeTrack(MrTrack* track, int32_t matrixLeft, int32_t matrixTop, MrFixed scaleX,
                             MrFixed scaleY) const {
    MrMatrix matrix;
    qtGetTrackMatrix(track, &matrix);
    for (int row = 0; row < 3; ++row) {
        matrix.m[row][0] = MrFixed((int64_t(matrix.m[row][0]) * scaleX) >> 16);
        matrix.m[row][1] = MrFixed((int64_t(matrix.m[row][1]) * scaleY) >> 16);
    }
    matrix.m[2][0] += matrixLeft * kFixedOne;
    matrix.m[2][1] += matrixTop * kFixedOne;
    qtSetTrackMatrix(track, &matrix);
}

MrTrack* MovieExport::newTrackLike(MrTrack* source, const MrRect& box, int32_t left, int32_t top, MrFixed scaleX,
                                   MrFixed scaleY) {
    MrMedia* sourceMedia = qtGetTrackMedia(source);
    MrFixed w = 0, h = 0;
    qtGetTrackDimensions(source, &w, &h);
    MrTrack* track = qtNewMovieTrack(movie_, w, h, qtGetTrackVolume(source));
    if (!track || !qtNewTrackMedia(track, qtGetMediaType(sourceMedia), qtGetMediaTimeScale(sourceMedia))) return nullptr;
    qtCopyTrackSettings(source, track);
    // The source box's corner lands on (left, top).
    placeTrack(track, left - ((box.left * scaleX) >> 16), top - ((box.top * scaleY) >> 16), scaleX, scaleY);
    return track;
}

void MovieExport::clipIfOutside(MrTrack* track) {
    if (widthOf(frame) <= 0 || heightOf(frame) <= 0) return;
    MrFixed w = 0, h = 0;
    qtGetTrackDimensions(track, &w, &h);
    MrMatrix matrix;
    qtGetTrackMatrix(track, &matrix);
    const int32_t left = matrix.m[2][0] >> 16, top = matrix.m[2][1] >> 16;
    const int64_t right = left + ((int64_t(w >> 16) * matrix.m[0][0]) >> 16);
    const int64_t bottom = top + ((int64_t(h >> 16) * matrix.m[1][1]) >> 16);
    if (left < frame.left || top < frame.top || right > frame.right || bottom > frame.bottom)
        qtSetMovieClipRect(movie_, &frame);
}

i16 MovieExport::exportInsertMediaFile(const std::string& file, uint32_t fileType, int32_t startMs, int32_t lengthMs,
                                       const QtPoint* placement, MrTrack** outTrack, const char* location) {
    if (!movie_) return kExportErrParam;
    OpenedMovie source;
    // A location names a movie file by its path here.
    if (const MrErr err = openMovie(location ? std::string(location) : file, fileType, source); err != 0) return err;
    MrRect box{};
    qtGetMovieBox(source.movie, &box);
    MrTrack* sourceTrack = qtGetMovieIndTrack(source.movie, 1);
    const int64_t sourceScale = qtGetMovieTimeScale(source.movie);
    if (!sourceTrack) return kExportErrNotAMovie;
    const int64_t sourceMs = exportMsOfUnits(qtGetMovieDuration(source.movie), sourceScale);
    const int64_t trackUnits = qtGetTrackDuration(sourceTrack);
    if (sourceMs <= 0 || trackUnits <= 0) return kExportErrNoDuration;
    int64_t lengthWanted = lengthMs;
    if (lengthMs < 0) lengthWanted = std::min<int64_t>(-int64_t(lengthMs), sourceMs);
    if (lengthMs == 0) lengthWanted = sourceMs;
    const Range range = rangeOf(startMs, lengthWanted);

    MrTrack* track =
        qtNewMovieTrack(movie_, widthOf(box) * kFixedOne, heightOf(box) * kFixedOne, qtGetTrackVolume(sourceTrack));
    if (!track) return qtGetMoviesError();
    MrMedia* sourceMedia = qtGetTrackMedia(sourceTrack);
    if (!qtNewTrackMedia(track, qtGetMediaType(sourceMedia), qtGetMediaTimeScale(sourceMedia)))
        return qtGetMoviesError();

    MrErr last = 0;
    const int64_t wanted = sourceUnitsFor(range.length, timeScale_, sourceScale);
    if (trackUnits >= wanted) {
        last = qtInsertTrackSegment(sourceTrack, 0, clampTime(wanted), track, clampTime(range.start));
    } else if (fileType == kExportTypeFlash) {
        // Flash plays its own timeline: the whole track again and again until the length is covered.
        for (int64_t placed = 0; placed < range.length;) {
            const int64_t piece = std::min(trackUnits, sourceUnitsFor(range.length - placed, timeScale_, sourceScale));
            const int64_t before = qtGetTrackDuration(track);
            if (const MrErr err = qtInsertTrackSegment(sourceTrack, 0, clampTime(piece), track,
                                                       clampTime(range.start + placed));
                err != 0)
                last = err;
            const int64_t added = qtGetTrackDuration(track) - before;
            if (added <= 0) break;
            placed += added;
        }
    } else {
        if (const MrErr err = qtScaleTrackSegment(sourceTrack, 0, clampTime(trackUnits), clampTime(wanted)); err != 0)
            last = err;
        if (const MrErr err = qtInsertTrackSegment(sourceTrack, 0, clampTime(qtGetTrackDuration(sourceTrack)), track,
                                                   clampTime(range.start));
            err != 0)
            last = err;
    }
    if (const MrErr err = trimTo(track, range.start + range.length); err != 0) last = err;
    if (outTrack) *outTrack = track;
    if (placement) {
        placeTrack(track, placement->h, placement->v, kFixedOne, kFixedOne);
        if (fileType == kExportTypeFlash) {
            const MrRgbColor white{0xFFFF, 0xFFFF, 0xFFFF};
            if (const MrErr err = qtSetTrackGraphicsMode(track, kExportFlashMode, &white); err != 0) last = err;
        }
        clipIfOutside(track);
    }
    return last;
}

i16 MovieExport::exportInsertMovie(const std::string& file, MrMovie* movie, int16_t left, int16_t top, int16_t width,
                                   int16_t height, int16_t layerOffset, int32_t sourceStartMs, int32_t lengthMs,
                                   int32_t startMs) {
    if (!movie_) return kExportErrParam;
    MrErr last = 0;
    OpenedMovie opened;
    if (!file.empty()) {
        last = openMovie(file, 0, opened);
        if (opened.movie) movie = opened.movie;
    }
    if (!movie) return kExportErrNotAMovie;
    const int64_t sourceScale = qtGetMovieTimeScale(movie);
    const int64_t sourceDuration = qtGetMovieDuration(movie);
    if (sourceScale <= 0 || sourceDuration <= 0) return kExportErrNoDuration;
    const int64_t lengthWanted = lengthMs > 0 ? lengthMs : exportMsOfUnits(sourceDuration, sourceScale);
    const Range range = rangeOf(startMs, lengthWanted);
    const int64_t sourceLength = sourceUnitsFor(range.length, timeScale_, sourceScale);
    const int64_t sourceStart = std::clamp<int64_t>(exportUnitsOfMs(sourceStartMs, sourceScale), 0, sourceDuration - 1);

    MrRect box{};
    qtGetMovieBox(movie, &box);
    const int32_t boxWidth = widthOf(box), boxHeight = heightOf(box);
    const int32_t wantWidth = width < 0 ? boxWidth * -width / 100 : width;
    const int32_t wantHeight = height < 0 ? boxHeight * -height / 100 : height;
    const MrFixed scaleX = boxWidth > 0 ? MrFixed((int64_t(wantWidth) << 16) / boxWidth) : kFixedOne;
    const MrFixed scaleY = boxHeight > 0 ? MrFixed((int64_t(wantHeight) << 16) / boxHeight) : kFixedOne;

    const int32_t count = qtGetMovieTrackCount(movie);
    for (int32_t index = 1; index <= count; ++index) {
        MrTrack* sourceTrack = qtGetMovieIndTrack(movie, index);
        const int64_t trackUnits = qtGetTrackDuration(sourceTrack);
        MrTrack* track = newTrackLike(sourceTrack, box, left, top, scaleX, scaleY);
        if (!track) {
            last = qtGetMoviesError();
            continue;
        }
        qtBeginMediaEdits(qtGetTrackMedia(track));
        // A short movie loops: each pass starts where the source movie's duration ends the last.
        for (int64_t position = 0, from = sourceStart; position < sourceLength && trackUnits > from; from = 0) {
            const int64_t piece = std::min(trackUnits - from, sourceLength - position);
            const int64_t at = range.start + position * timeScale_ / sourceScale;
            if (const MrErr err = qtInsertTrackSegment(sourceTrack, clampTime(from), clampTime(piece), track,
                                                       clampTime(at));
                err != 0)
                last = err;
            position += sourceDuration - from;
        }
        qtEndMediaEdits(qtGetTrackMedia(track));
        if (const MrErr err = trimTo(track, range.start + range.length); err != 0) last = err;
        qtSetTrackLayer(track, int16_t(qtGetTrackLayer(sourceTrack) + layerOffset));
    }
    if (widthOf(frame) > 0 && heightOf(frame) > 0) qtSetMovieClipRect(movie_, &frame);
    return last;
}

i16 MovieExport::exportInsertEffectMovie(const std::string& file, MrMovie* movie, int16_t left, int16_t top,
                                         int16_t width, int16_t height, int16_t layerOffset, int32_t sourceStartMs,
                                         int32_t lengthMs, int32_t startMs) {
    if (!movie_) return kExportErrParam;
    OpenedMovie opened;
    if (!file.empty()) {
        if (const MrErr err = openMovie(file, 0, opened); err != 0) return err;
        movie = opened.movie;
    }
    if (!movie) return kExportErrNotAMovie;
    const int64_t sourceScale = qtGetMovieTimeScale(movie);
    const int64_t effectDuration = qtGetMovieDuration(movie);
    if (sourceScale <= 0 || effectDuration <= 0) return kExportErrNoDuration;
    const int64_t lengthWanted = lengthMs > 0 ? lengthMs : exportMsOfUnits(effectDuration, sourceScale);
    const Range range = rangeOf(startMs, lengthWanted);
    const int32_t count = qtGetMovieTrackCount(movie);
    if (count < 2) return 0;
    (void)sourceStartMs;

    MrRect box{};
    qtGetMovieBox(movie, &box);
    const int32_t boxWidth = widthOf(box), boxHeight = heightOf(box);
    const int32_t wantWidth = width < 0 ? boxWidth * -width / 100 : width;
    const int32_t wantHeight = height < 0 ? boxHeight * -height / 100 : height;
    const MrFixed scaleX = boxWidth > 0 && wantWidth > 0 ? MrFixed((int64_t(wantWidth) << 16) / boxWidth) : kFixedOne;
    const MrFixed scaleY =
        boxHeight > 0 && wantHeight > 0 ? MrFixed((int64_t(wantHeight) << 16) / boxHeight) : kFixedOne;

    MrErr last = 0;
    MrTrack* copies[3] = {};
    int32_t copyIndex[3] = {};
    const int64_t pass = std::max<int64_t>(1, effectDuration * timeScale_ / sourceScale);
    for (int32_t index = 1; index <= std::min(count, 3); ++index) {
        MrTrack* sourceTrack = qtGetMovieIndTrack(movie, index);
        const int64_t trackUnits = qtGetTrackDuration(sourceTrack);
        MrTrack* track = newTrackLike(sourceTrack, box, left, top, scaleX, scaleY);
        if (!track) {
            last = qtGetMoviesError();
            continue;
        }
        copies[index - 1] = track;
        copyIndex[index - 1] = qtGetMovieTrackCount(movie_);
        qtBeginMediaEdits(qtGetTrackMedia(track));
        const int64_t piece = std::min(trackUnits, sourceUnitsFor(range.length, timeScale_, sourceScale));
        for (int64_t offset = 0; offset < range.length && piece > 0; offset += pass)
            if (const MrErr err = qtInsertTrackSegment(sourceTrack, 0, clampTime(piece), track,
                                                       clampTime(range.start + offset));
                err != 0)
                last = err;
        qtEndMediaEdits(qtGetTrackMedia(track));
        if (const MrErr err = trimTo(track, range.start + range.length); err != 0) last = err;
        qtSetTrackLayer(track, startMs == 0 ? int16_t(-2) : int16_t(qtGetTrackLayer(sourceTrack) + layerOffset));
    }
    // The copied effect reads the copies of its sources.
    if (copies[0]) {
        MrMedia* media = qtGetTrackMedia(copies[0]);
        MrAtomContainer* inputs = qtNewAtomContainer();
        if (!inputs) return kExportErrParam;
        qtBeginMediaEdits(media);
        for (int i = 1; i < 3; ++i)
            if (copies[i] && !qtEffectAddSource(inputs, uint32_t(copyIndex[i])))
                last = kExportErrParam;
        if (const MrErr err = qtSetMediaInputMap(media, inputs); err != 0) last = err;
        qtEndMediaEdits(media);
        qtDisposeAtomContainer(inputs);
    }
    return last;
}

i16 MovieExport::exportFlattenMovie() {
    if (!movie_) return kExportErrParam;
    const MrErr err = qtFlattenMovieToFile(movie_, target_.c_str());
    qtDisposeMovie(movie_);
    movie_ = nullptr;
    return err;
}
