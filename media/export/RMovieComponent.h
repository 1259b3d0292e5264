#pragma once
// One piece of a movie export: a sound, the page's picture, a movie, or the frames of a
// transition, each with its place on the canvas, its start and its length (milliseconds) and
// its layer. A component holds its media as a movie of its own in memory, so an export leaves
// no media files behind; AddToMovie copies it into the export movie. Kinds are numbered as
// the project files and the export code name them. User-interface thread.
#include <span>
#include <vector>

#include "media/quicktime/MovieExport.h"

namespace Ostrel {

constexpr u32 kComponentSound = 11;
constexpr u32 kComponentPicture = 12;
constexpr u32 kComponentMovie = 14;
constexpr u32 kComponentTransition = 15;

// Layers of the export movie: a lower layer lies in front.
constexpr i16 kPictureLayer = 0;
constexpr i16 kMovieLayer = -1;
constexpr i16 kTransitionLayer = -2;

struct ComponentPlace {
    i16 left = 0, top = 0, width = 0, height = 0;
};

class RMovieComponent {
public:
    RMovieComponent(u32 kind, ComponentPlace place, i32 startMs, i32 durationMs, i16 layer);
    ~RMovieComponent();
    RMovieComponent(const RMovieComponent&) = delete;
    RMovieComponent& operator=(const RMovieComponent&) = delete;

    // An archive wave as 16-bit sound; kExportFailed when it cannot be decoded.
    i32 WriteSound(std::span<const u8> archiveWave);
    // A still picture (a JPEG stream) shown for the whole length; kExportFailed for an empty one.
    i32 WritePicture(const std::vector<u8>& jpeg);
    // Frames (JPEG streams, or PNG ones with transparent pixels) one after the other, sharing
    // `totalMs` evenly.
    i32 WriteFrames(const std::vector<std::vector<u8>>& frames, i32 totalMs);
    // Its transparent pixels show what lies behind it (after WriteFrames).
    i32 LeaveOutTransparent();
    // A movie file's bytes; kExportMissingMovie when they hold no movie that lasts.
    i32 WriteMovie(std::span<const u8> movieFile);
    // Copies the media into the export movie at the component's place and times.
    i32 AddToMovie(MovieExport& writer) const;
    // A picture of the canvas (a JPEG stream of width x height) as the movie's poster: a track
    // at (0, 0) for this component's times that only the poster shows, and the poster time at
    // this component's start.
    i32 AddSnapshot(MovieExport& writer, const std::vector<u8>& jpeg, u16 width, u16 height) const;

    u32 Kind() const { return kind_; }
    i32 Start() const { return start_; }
    i32 Duration() const { return duration_; }
    void SetDuration(i32 durationMs) { duration_ = durationMs; }
    // How long the media itself lasts (ms).
    i32 MediaDuration() const;

private:
    i32 NewVideoMovie();

    u32 kind_;
    ComponentPlace place_;
    i32 start_;
    i32 duration_;
    i16 layer_;
    MrMovie* movie_ = nullptr;
};

// How long a sound lasts (ms); false when the bytes are no archive wave.
bool ArchiveWaveDurationMs(std::span<const u8> archiveWave, i32* ms);
// How long a movie file's movie lasts, in whole seconds times 1000; false when it is no movie.
bool MovieWholeSecondsMs(std::span<const u8> movieFile, i32* ms);

}  // namespace Ostrel
