#pragma once
// The editing half of the media runtime's table: movies, tracks, media, edits, samples, atom
// containers, effects, the compositor and flattening into a .mov file. The entries sit by value
// at the end of MediaRuntimeTable, so the slots stay contiguous. Times are in the owner's time
// scale (movie units for tracks and edits, media units for media). Handles are opaque to the
// client; a track belongs to its movie and dies with it, a media with its track (edits of other
// tracks that copied it keep it alive). One thread at a time.
#include <cstdint>

// MediaRuntimeTable.h embeds these entries, so the few runtime types used here are declared here.
namespace plat::media {

using MrErr = int16_t;
struct MrRect;
struct MrWorld;
struct MrHandle;

struct MrMovie;
struct MrTrack;
struct MrMedia;
struct MrAtomContainer;

using MrTime = int32_t;     // a time value in its owner's scale
using MrFixed = int32_t;    // 16.16
using MrAtom = int32_t;     // an atom of a container; kMrAtomRoot is the container itself
constexpr MrAtom kMrAtomRoot = 0;

constexpr MrErr kMrInvalidTime = -2015;
constexpr MrErr kMrInvalidDuration = -2014;
constexpr MrErr kMrInvalidMedia = -2008;
constexpr MrErr kMrInvalidTrack = -2009;
constexpr MrErr kMrInvalidMovie = -2010;
constexpr MrErr kMrNotAMovie = -2048;       // a file or source that holds no movie
constexpr MrErr kMrMediaNotEditing = -2019; // samples added outside a media edit
constexpr MrErr kMrAtomNotFound = -2124;
constexpr MrErr kMrBadAtomContainer = -2125;

constexpr uint32_t kMrMediaVideo = 0x76696465;   // 'vide'
constexpr uint32_t kMrMediaSound = 0x736F756E;   // 'soun'
constexpr uint32_t kMrMediaEffect = 0x65666620;  // 'eff '

// Graphics modes a visual track is drawn with over the tracks behind it.
constexpr int32_t kMrModeCopy = 0;
constexpr int32_t kMrModeBlend = 32;        // mixes by the op colour's weights (0xFFFF = all of the track)
constexpr int32_t kMrModeTransparent = 36;  // the op colour is not drawn
constexpr int32_t kMrModeDitherCopy = 64;
constexpr int32_t kMrModeAlpha = 256;       // straight alpha of the track's pixels

// Track usage bits.
constexpr uint32_t kMrUsageMovie = 2;
constexpr uint32_t kMrUsagePreview = 4;
constexpr uint32_t kMrUsagePoster = 8;

struct MrRgbColor {
    uint16_t red, green, blue;
};

// Row vectors times the matrix: x' = a x + c y + tx, y' = b x + d y + ty. a..d, tx, ty are 16.16,
// u, v, w 2.30; only scale and translation are drawn.
struct MrMatrix {
    int32_t m[3][3];
};
constexpr MrMatrix kMrIdentityMatrix = {{{0x10000, 0, 0}, {0, 0x10000, 0}, {0, 0, 0x40000000}}};

// One edit of a track as tests and the client read it.
struct MrTrackEdit {
    MrTime trackStart;  // movie units
    MrTime duration;    // movie units
    MrTime mediaTime;   // media units, -1 for an empty edit
    MrFixed rate;       // media time per track time, 1.0 when played as stored
    MrMedia* media;     // null for an empty edit
};

struct MovieEditingEntries {
    // Movies.
    MrMovie* (*newMovie)(MrTime timeScale);
    void (*disposeMovie)(MrMovie* movie);
    MrErr (*getMoviesError)();
    MrTime (*getMovieTimeScale)(MrMovie* movie);
    void (*setMovieTimeScale)(MrMovie* movie, MrTime timeScale);
    MrTime (*getMovieDuration)(MrMovie* movie);
    int32_t (*getMovieTrackCount)(MrMovie* movie);
    MrTrack* (*getMovieIndTrack)(MrMovie* movie, int32_t index);  // from 1
    void (*getMovieBox)(MrMovie* movie, MrRect* box);
    void (*setMovieBox)(MrMovie* movie, const MrRect* box);
    void (*setMovieClipRect)(MrMovie* movie, const MrRect* clip);  // null or empty: no clip
    void (*setMoviePosterTime)(MrMovie* movie, MrTime time);
    MrTime (*getMoviePosterTime)(MrMovie* movie);
    // Tracks.
    MrTrack* (*newMovieTrack)(MrMovie* movie, MrFixed width, MrFixed height, int16_t volume);
    void (*disposeMovieTrack)(MrTrack* track);
    MrMedia* (*newTrackMedia)(MrTrack* track, uint32_t mediaType, MrTime timeScale);
    MrMedia* (*getTrackMedia)(MrTrack* track);
    MrTime (*getTrackDuration)(MrTrack* track);
    int16_t (*getTrackLayer)(MrTrack* track);
    void (*setTrackLayer)(MrTrack* track, int16_t layer);
    void (*getTrackMatrix)(MrTrack* track, MrMatrix* matrix);
    void (*setTrackMatrix)(MrTrack* track, const MrMatrix* matrix);
    void (*getTrackDimensions)(MrTrack* track, MrFixed* width, MrFixed* height);
    void (*setTrackDimensions)(MrTrack* track, MrFixed width, MrFixed height);
    int16_t (*getTrackVolume)(MrTrack* track);
    void (*setTrackEnabled)(MrTrack* track, uint8_t enabled);
    void (*setTrackUsage)(MrTrack* track, uint32_t usage);
    uint32_t (*getTrackUsage)(MrTrack* track);
    MrErr (*setTrackGraphicsMode)(MrTrack* track, int32_t mode, const MrRgbColor* opColor);
    MrErr (*getTrackGraphicsMode)(MrTrack* track, int32_t* mode, MrRgbColor* opColor);
    MrErr (*copyTrackSettings)(MrTrack* source, MrTrack* destination);
    // Segments, in movie units of each track's own movie.
    MrErr (*insertTrackSegment)(MrTrack* source, MrTime sourceIn, MrTime sourceDuration, MrTrack* destination,
                                MrTime destinationIn);
    MrErr (*deleteTrackSegment)(MrTrack* track, MrTime start, MrTime duration);
    MrErr (*scaleTrackSegment)(MrTrack* track, MrTime start, MrTime oldDuration, MrTime newDuration);
    MrErr (*insertMediaIntoTrack)(MrTrack* track, MrTime trackStart, MrTime mediaTime, MrTime mediaDuration,
                                  MrFixed rate);
    int32_t (*getTrackEditCount)(MrTrack* track);
    MrErr (*getTrackEdit)(MrTrack* track, int32_t index, MrTrackEdit* edit);  // from 1
    // Media.
    MrTime (*getMediaTimeScale)(MrMedia* media);
    uint32_t (*getMediaType)(MrMedia* media);
    MrTime (*getMediaDuration)(MrMedia* media);
    int32_t (*getMediaSampleCount)(MrMedia* media);
    MrErr (*beginMediaEdits)(MrMedia* media);
    MrErr (*endMediaEdits)(MrMedia* media);
    // Adds `count` samples of `durationEach` sharing the data; video data is a JPEG stream,
    // sound data big-endian 16-bit frames described by a sound description (MovieSamples.h),
    // effect data an atom container's bytes. `sampleTime` gets the first one's media time.
    MrErr (*addMediaSample)(MrMedia* media, const uint8_t* data, uint32_t size, MrTime durationEach,
                            const uint8_t* description, uint32_t descriptionSize, int32_t count, MrTime* sampleTime);
    MrErr (*setMediaInputMap)(MrMedia* media, MrAtomContainer* inputMap);  // copied
    // Atom containers.
    MrAtomContainer* (*newAtomContainer)();
    void (*disposeAtomContainer)(MrAtomContainer* container);
    MrErr (*atomContainerFromBytes)(const uint8_t* data, uint32_t size, MrAtomContainer** out);
    // The container's bytes into a new handle.
    MrErr (*atomContainerBytes)(MrAtomContainer* container, MrHandle** out);
    MrAtom (*findChildByIndex)(MrAtomContainer* container, MrAtom parent, uint32_t type, int16_t index, uint32_t* id);
    MrAtom (*findChildById)(MrAtomContainer* container, MrAtom parent, uint32_t type, uint32_t id);
    int16_t (*countChildrenOfType)(MrAtomContainer* container, MrAtom parent, uint32_t type);
    // id 0 picks the lowest free id of the type; index 0 appends.
    MrErr (*insertChild)(MrAtomContainer* container, MrAtom parent, uint32_t type, uint32_t id, int16_t index,
                         uint32_t dataSize, const void* data, MrAtom* out);
    MrErr (*getAtomData)(MrAtomContainer* container, MrAtom atom, uint32_t* size, const uint8_t** data);
    MrErr (*getAtomTypeAndId)(MrAtomContainer* container, MrAtom atom, uint32_t* type, uint32_t* id);
    // The 86-byte image description of an effect (codec type = effect type).
    MrErr (*effectImageDescription)(uint32_t effectType, MrHandle* description);
    // The composite of every enabled visual track at `time`, drawn into the world with the movie
    // box's top-left at the world's top-left.
    MrErr (*drawMovieFrame)(MrMovie* movie, MrTime time, MrWorld* world);
    // The next movie time after `time` at which the picture can change, -1 at the end.
    MrTime (*nextInterestingTime)(MrMovie* movie, MrTime time);
    // A self-contained .mov at `path` (written beside it, then renamed over it).
    MrErr (*flattenMovieToFile)(MrMovie* movie, const char* path);
    // A movie (scale 600) of one picture track showing a JPEG file for one second:
    // kMrFileNotFound, or kMrNotAMovie for a file that is no JPEG picture.
    MrErr (*newMovieFromPictureFile)(const char* path, MrMovie** out);
};

}  // namespace plat::media
