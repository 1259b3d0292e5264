#pragma once
// The writer of a page or project export movie: it keeps one export movie in the media runtime,
// inserts into it the first track of media files (pictures, sounds) and every track of movies
// and transition effect movies over given time ranges, and at the end flattens it into the
// target .mov file (written beside it and renamed over it, so a failed export keeps the user's
// old file). Times given to the writer are milliseconds; they become movie time units through
// 64-bit integers, each boundary converted from the same origin, so pages laid end to end leave
// no gaps. A source that holds no movie is an error, and a source or effect without duration is
// refused (looping it would never end). User-interface thread.
#include <cstdint>
#include <string>

#include "engine/base/EngineTypes.h"
#include "media/quicktime/QtMovieEditing.h"

constexpr i16 kExportErrNotAMovie = -2048;
constexpr i16 kExportErrNoDuration = -2014;
constexpr i16 kExportErrParam = -50;
constexpr i16 kExportErrFileNotFound = -43;
// Graphics mode and colour of Flash tracks: white is transparent.
constexpr int32_t kExportFlashMode = 36;
constexpr uint32_t kExportTypeFlash = 0x5357464C;  // 'SWFL'
constexpr uint32_t kExportTypeJpeg = 0x4A504547;   // 'JPEG': a picture file, shown still

// A point in the runtime's order.
struct QtPoint {
    int16_t v, h;
};

// Milliseconds into time units of `timeScale` and back, truncated toward zero.
int64_t exportUnitsOfMs(int64_t ms, int64_t timeScale);
int64_t exportMsOfUnits(int64_t units, int64_t timeScale);

class MovieExport {
public:
    MovieExport() = default;
    MovieExport(const MovieExport&) = delete;
    MovieExport& operator=(const MovieExport&) = delete;
    ~MovieExport();

    // The export frame (top, left, bottom, right): when not empty, a track placed outside it
    // clips the movie to it.
    MrRect frame{};

    // Both flatten modes write one self-contained movie file.
    i16 exportCreateTempMovie(const std::string& target, int32_t timeScale, uint8_t flattenMode);
    // The first track of a media file (or of the movie at `location`, when given) from `startMs`
    // for `lengthMs` (0: the source's length; negative: its magnitude, at most the source's).
    i16 exportInsertMediaFile(const std::string& file, uint32_t fileType, int32_t startMs, int32_t lengthMs,
                              const QtPoint* placement, MrTrack** outTrack, const char* location);
    // Every track of `movie` (or of the movie in `file`), scaled to width x height (negative: a
    // percentage of the source box) at (left, top), looped to cover `lengthMs`.
    i16 exportInsertMovie(const std::string& file, MrMovie* movie, int16_t left, int16_t top, int16_t width,
                          int16_t height, int16_t layerOffset, int32_t sourceStartMs, int32_t lengthMs,
                          int32_t startMs);
    // A transition effect movie: its effect track and two sources, the effect re-linked to the
    // copies of its sources.
    i16 exportInsertEffectMovie(const std::string& file, MrMovie* movie, int16_t left, int16_t top, int16_t width,
                                int16_t height, int16_t layerOffset, int32_t sourceStartMs, int32_t lengthMs,
                                int32_t startMs);
    i16 exportFlattenMovie();

    MrMovie* movie() const { return movie_; }
    int32_t timeScale() const { return timeScale_; }

private:
    struct Range {
        int64_t start = 0;   // export units
        int64_t length = 0;  // export units, from the same origin as start
        int64_t lengthMs = 0;
    };
    Range rangeOf(int32_t startMs, int64_t lengthMs) const;
    void placeTrack(MrTrack* track, int32_t matrixLeft, int32_t matrixTop, MrFixed scaleX, MrFixed scaleY) const;
    void clipIfOutside(MrTrack* track);
    // A new track of the export movie like `source` (size, volume, media kind and scale,
    // settings), the source movie's box corner placed at (left, top) at the given scale; null
    // when the runtime refuses one (its error in qtGetMoviesError).
    MrTrack* newTrackLike(MrTrack* source, const MrRect& box, int32_t left, int32_t top, MrFixed scaleX, MrFixed scaleY);
    // Deletes what runs past `end` (export units).
    MrErr trimTo(MrTrack* track, int64_t end);

    MrMovie* movie_ = nullptr;
    int32_t timeScale_ = 0;
    std::string target_;
};
