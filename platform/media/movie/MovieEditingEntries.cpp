#include "platform/media/movie/MovieEditingEntries.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>

#include "platform/files/regular/RegularFile.h"
#include "platform/media/ImageDescription.h"
#include "platform/media/JpegCoding.h"
#include "platform/media/MediaWorld.h"
#include "platform/media/RuntimeServices.h"
#include "platform/media/movie/MovieCompositor.h"
#include "platform/media/movie/MovieEffects.h"
#include "platform/media/movie/MovieFlattener.h"
#include "platform/media/movie/MovieModel.h"
#include "platform/media/movie/TrackSegments.h"

namespace plat::media {

namespace {

constexpr int64_t kStillTimeScale = 600;
// Picture files larger than this are no still of ours.
constexpr uint64_t kMaxPictureFileBytes = uint64_t(1) << 28;

bool readWholeFile(const char* path, std::vector<uint8_t>& bytes) {
    return readRegularFile(path, kMaxPictureFileBytes, &bytes) == 0;
}

MrErr report(MrErr err) {
    setMoviesError(err);
    return err;
}

MrTime clampTime(int64_t time) { return MrTime(std::clamp<int64_t>(time, INT32_MIN, INT32_MAX)); }

MrMovie* newMovie(MrTime timeScale) { return movieNew(timeScale); }
void disposeMovie(MrMovie* movie) { movieDispose(movie); }
MrErr getMoviesError() { return moviesError(); }
MrTime getMovieTimeScale(MrMovie* movie) { return movie ? MrTime(movie->timeScale) : 0; }

void setMovieTimeScale(MrMovie* movie, MrTime timeScale) {
    if (!movie || timeScale <= 0) return void(report(kMrParamErr));
    // Edits keep their length in seconds. Each boundary is converted from the track's start,
    // not each length on its own, so rounding neither opens gaps nor shortens the track.
    for (auto& track : movie->tracks) {
        int64_t boundary = 0, placed = 0;
        for (TrackEdit& edit : track->edits) {
            boundary += edit.duration;
            const int64_t end = int64_t(__int128(boundary) * timeScale / movie->timeScale);
            edit.duration = end - placed;
            placed = end;
        }
    }
    movie->timeScale = timeScale;
    report(kMrNoErr);
}

MrTime getMovieDuration(MrMovie* movie) { return movie ? clampTime(movie->duration()) : 0; }
int32_t getMovieTrackCount(MrMovie* movie) { return movie ? int32_t(movie->tracks.size()) : 0; }

MrTrack* getMovieIndTrack(MrMovie* movie, int32_t index) {
    if (!movie || index < 1 || size_t(index) > movie->tracks.size()) {
        report(kMrInvalidTrack);
        return nullptr;
    }
    return movie->tracks[size_t(index - 1)].get();
}

void getMovieBox(MrMovie* movie, MrRect* box) {
    if (movie && box) *box = movieBox(*movie);
}

void setMovieBox(MrMovie* movie, const MrRect* box) {
    if (!movie || !box) return;
    movie->box = *box;
    movie->boxSet = true;
}

void setMovieClipRect(MrMovie* movie, const MrRect* clip) {
    if (movie) movie->clip = clip ? *clip : MrRect{};
}

void setMoviePosterTime(MrMovie* movie, MrTime time) {
    if (movie) movie->posterTime = time;
}

MrTime getMoviePosterTime(MrMovie* movie) { return movie ? clampTime(movie->posterTime) : 0; }

MrTrack* newMovieTrack(MrMovie* movie, MrFixed width, MrFixed height, int16_t volume) {
    if (!movie || width < 0 || height < 0) {
        report(kMrParamErr);
        return nullptr;
    }
    try {
        auto track = std::make_unique<MrTrack>();
        track->movie = movie;
        track->width = width, track->height = height, track->volume = volume;
        movie->tracks.push_back(std::move(track));
    } catch (const std::bad_alloc&) {
        report(kMrMemFullErr);
        return nullptr;
    }
    report(kMrNoErr);
    return movie->tracks.back().get();
}

void disposeMovieTrack(MrTrack* track) {
    if (!track) return;
    auto& tracks = track->movie->tracks;
    tracks.erase(std::remove_if(tracks.begin(), tracks.end(), [&](const auto& t) { return t.get() == track; }),
                 tracks.end());
}

MrMedia* newTrackMedia(MrTrack* track, uint32_t mediaType, MrTime timeScale) {
    if (!track || timeScale <= 0 ||
        (mediaType != kMrMediaVideo && mediaType != kMrMediaSound && mediaType != kMrMediaEffect)) {
        report(kMrParamErr);
        return nullptr;
    }
    auto media = std::shared_ptr<MrMedia>(new (std::nothrow) MrMedia);
    if (!media) {
        report(kMrMemFullErr);
        return nullptr;
    }
    media->type = mediaType;
    media->timeScale = timeScale;
    track->media = media;
    report(kMrNoErr);
    return media.get();
}

MrMedia* getTrackMedia(MrTrack* track) { return track ? track->media.get() : nullptr; }
MrTime getTrackDuration(MrTrack* track) { return track ? clampTime(track->duration()) : 0; }
int16_t getTrackLayer(MrTrack* track) { return track ? track->layer : 0; }

void setTrackLayer(MrTrack* track, int16_t layer) {
    if (track) track->layer = layer;
}

void getTrackMatrix(MrTrack* track, MrMatrix* matrix) {
    if (track && matrix) *matrix = track->matrix;
}

void setTrackMatrix(MrTrack* track, const MrMatrix* matrix) {
    if (track) track->matrix = matrix ? *matrix : kMrIdentityMatrix;
}

void getTrackDimensions(MrTrack* track, MrFixed* width, MrFixed* height) {
    if (!track) return;
    if (width) *width = track->width;
    if (height) *height = track->height;
}

void setTrackDimensions(MrTrack* track, MrFixed width, MrFixed height) {
    if (!track || width < 0 || height < 0) return;
    track->width = width, track->height = height;
}

int16_t getTrackVolume(MrTrack* track) { return track ? track->volume : 0; }

void setTrackEnabled(MrTrack* track, uint8_t enabled) {
    if (track) track->enabled = enabled != 0;
}

void setTrackUsage(MrTrack* track, uint32_t usage) {
    if (track) track->usage = usage;
}

uint32_t getTrackUsage(MrTrack* track) { return track ? track->usage : 0; }

MrErr setTrackGraphicsMode(MrTrack* track, int32_t mode, const MrRgbColor* opColor) {
    if (!track || !track->media) return report(kMrParamErr);
    track->graphicsMode = mode;
    if (opColor) track->opColor = *opColor;
    return report(kMrNoErr);
}

MrErr getTrackGraphicsMode(MrTrack* track, int32_t* mode, MrRgbColor* opColor) {
    if (!track || !track->media) return report(kMrParamErr);
    if (mode) *mode = track->graphicsMode;
    if (opColor) *opColor = track->opColor;
    return report(kMrNoErr);
}

// The settings a copied track takes over: everything but its media and edits.
MrErr copyTrackSettings(MrTrack* source, MrTrack* destination) {
    if (!source || !destination) return report(kMrParamErr);
    destination->enabled = source->enabled;
    destination->layer = source->layer;
    destination->matrix = source->matrix;
    destination->volume = source->volume;
    destination->usage = source->usage;
    destination->graphicsMode = source->graphicsMode;
    destination->opColor = source->opColor;
    return report(kMrNoErr);
}

MrErr insertSegment(MrTrack* source, MrTime sourceIn, MrTime sourceDuration, MrTrack* destination,
                    MrTime destinationIn) {
    if (!source || !destination) return report(kMrInvalidTrack);
    return report(insertTrackSegment(*source, sourceIn, sourceDuration, *destination, destinationIn));
}

MrErr deleteSegment(MrTrack* track, MrTime start, MrTime duration) {
    return report(track ? deleteTrackSegment(*track, start, duration) : kMrInvalidTrack);
}

MrErr scaleSegment(MrTrack* track, MrTime start, MrTime oldDuration, MrTime newDuration) {
    return report(track ? scaleTrackSegment(*track, start, oldDuration, newDuration) : kMrInvalidTrack);
}

MrErr insertMedia(MrTrack* track, MrTime trackStart, MrTime mediaTime, MrTime mediaDuration, MrFixed rate) {
    return report(track ? insertMediaIntoTrack(*track, trackStart, mediaTime, mediaDuration, rate) : kMrInvalidTrack);
}

int32_t getTrackEditCount(MrTrack* track) { return track ? int32_t(track->edits.size()) : 0; }

MrErr getTrackEdit(MrTrack* track, int32_t index, MrTrackEdit* out) {
    if (!track || !out) return report(kMrParamErr);
    if (index < 1 || size_t(index) > track->edits.size()) return report(kMrInvalidTime);
    int64_t start = 0;
    for (int32_t i = 1; i < index; ++i) start += track->edits[size_t(i - 1)].duration;
    const TrackEdit& edit = track->edits[size_t(index - 1)];
    *out = MrTrackEdit{clampTime(start), clampTime(edit.duration), clampTime(edit.media ? edit.mediaTime : -1),
                       edit.rate, edit.media.get()};
    return report(kMrNoErr);
}

MrTime getMediaTimeScale(MrMedia* media) { return media ? MrTime(media->timeScale) : 0; }
uint32_t getMediaType(MrMedia* media) { return media ? media->type : 0; }
MrTime getMediaDuration(MrMedia* media) { return media ? clampTime(media->duration()) : 0; }
int32_t getMediaSampleCount(MrMedia* media) { return media ? int32_t(media->samples.size()) : 0; }

MrErr beginMediaEdits(MrMedia* media) {
    if (!media) return report(kMrInvalidMedia);
    media->editing = true;
    return report(kMrNoErr);
}

MrErr endMediaEdits(MrMedia* media) {
    if (!media) return report(kMrInvalidMedia);
    media->editing = false;
    return report(kMrNoErr);
}

MrErr addMediaSample(MrMedia* media, const uint8_t* data, uint32_t size, MrTime durationEach,
                     const uint8_t* description, uint32_t descriptionSize, int32_t count, MrTime* sampleTime) {
    if (!media || !data || size == 0 || (descriptionSize && !description)) return report(kMrParamErr);
    if (!media->editing) return report(kMrMediaNotEditing);
    if (durationEach <= 0 || count <= 0) return report(kMrInvalidDuration);
    if (media->reader) return report(kMrInvalidMedia);
    try {
        MediaSample sample;
        sample.start = media->duration();
        sample.duration = int64_t(durationEach) * count;
        sample.data = std::make_shared<const std::vector<uint8_t>>(data, data + size);
        sample.description.assign(description, description + descriptionSize);
        media->samples.push_back(std::move(sample));
    } catch (const std::bad_alloc&) {
        return report(kMrMemFullErr);
    }
    if (sampleTime) *sampleTime = clampTime(media->samples.back().start);
    return report(kMrNoErr);
}

MrErr setMediaInputMap(MrMedia* media, MrAtomContainer* inputMap) {
    if (!media || !inputMap) return report(kMrParamErr);
    media->inputMap = inputMap->atoms;
    return report(kMrNoErr);
}

MrAtomContainer* newAtomContainer() { return new (std::nothrow) MrAtomContainer; }
void disposeAtomContainer(MrAtomContainer* container) { delete container; }

MrErr atomContainerFromBytes(const uint8_t* data, uint32_t size, MrAtomContainer** out) {
    if (!out) return kMrParamErr;
    auto container = std::unique_ptr<MrAtomContainer>(new (std::nothrow) MrAtomContainer);
    if (!container) return kMrMemFullErr;
    const MrErr err = AtomContainer::fromBytes(data, size, &container->atoms);
    if (err == kMrNoErr) *out = container.release();
    return err;
}

MrErr atomContainerBytes(MrAtomContainer* container, MrHandle** out) {
    if (!container || !out) return kMrParamErr;
    const std::vector<uint8_t> bytes = container->atoms.bytes();
    MrHandle* handle = newHandle(uint32_t(bytes.size()));
    if (!handle) return kMrMemFullErr;
    std::copy(bytes.begin(), bytes.end(), handleData(handle));
    *out = handle;
    return kMrNoErr;
}

MrAtom findChildByIndex(MrAtomContainer* container, MrAtom parent, uint32_t type, int16_t index, uint32_t* id) {
    return container ? container->atoms.findChildByIndex(parent, type, index, id) : 0;
}

MrAtom findChildById(MrAtomContainer* container, MrAtom parent, uint32_t type, uint32_t id) {
    return container ? container->atoms.findChildById(parent, type, id) : 0;
}

int16_t countChildrenOfType(MrAtomContainer* container, MrAtom parent, uint32_t type) {
    return container ? container->atoms.countChildren(parent, type) : 0;
}

MrErr insertChild(MrAtomContainer* container, MrAtom parent, uint32_t type, uint32_t id, int16_t index,
                  uint32_t dataSize, const void* data, MrAtom* out) {
    return container ? container->atoms.insertChild(parent, type, id, index, data, dataSize, out) : kMrParamErr;
}

MrErr getAtomData(MrAtomContainer* container, MrAtom atom, uint32_t* size, const uint8_t** data) {
    return container ? container->atoms.data(atom, size, data) : kMrParamErr;
}

MrErr getAtomTypeAndId(MrAtomContainer* container, MrAtom atom, uint32_t* type, uint32_t* id) {
    return container ? container->atoms.typeAndId(atom, type, id) : kMrParamErr;
}

MrErr effectImageDescription(uint32_t effectType, MrHandle* description) {
    if (!description || handleSize(description) < kMrImageDescriptionSize) return kMrParamErr;
    if (!isKnownEffect(effectType)) return kMrNoCodec;
    ImageDescriptionFields fields;
    fields.codecType = effectType;
    fields.depth = 32;
    writeImageDescription(handleData(description), fields);
    return kMrNoErr;
}

MrErr drawMovieFrame(MrMovie* movie, MrTime time, MrWorld* world) {
    if (!movie || !world) return report(kMrParamErr);
    MrPixMap* map = worldPixMap(world);
    if (!map || map->pixelFormat != kMrFormatBgra32) return report(kMrParamErr);
    const MrRect box = movieBox(*movie);
    MovieCompositor compositor(*movie);
    return report(compositor.draw(time, *map, box));
}

MrTime nextTime(MrMovie* movie, MrTime time) { return movie ? clampTime(nextInterestingTime(*movie, time)) : -1; }

MrErr flattenMovieToFile(MrMovie* movie, const char* path) {
    return report(movie ? flattenMovie(*movie, path) : kMrInvalidMovie);
}

MrErr newMovieFromPictureFile(const char* path, MrMovie** out) {
    if (!path || !out) return report(kMrParamErr);
    std::vector<uint8_t> bytes;
    if (!readWholeFile(path, bytes)) return report(kMrFileNotFound);
    JpegInfo info;
    if (jpegReadInfo(bytes.data(), uint32_t(bytes.size()), &info) != kMrNoErr) return report(kMrNotAMovie);
    std::unique_ptr<MrMovie> movie(movieNew(kStillTimeScale));
    if (!movie) return moviesError();
    try {
        auto track = std::make_unique<MrTrack>();
        track->movie = movie.get();
        track->width = info.width << 16, track->height = info.height << 16;
        track->media = std::make_shared<MrMedia>();
        track->media->type = kMrMediaVideo;
        track->media->timeScale = kStillTimeScale;
        MediaSample sample;
        sample.duration = kStillTimeScale;
        sample.data = std::make_shared<const std::vector<uint8_t>>(std::move(bytes));
        track->media->samples.push_back(std::move(sample));
        track->edits.push_back(TrackEdit{kStillTimeScale, track->media, 0, 0x10000});
        movie->tracks.push_back(std::move(track));
    } catch (const std::bad_alloc&) {
        return report(kMrMemFullErr);
    }
    *out = movie.release();
    return report(kMrNoErr);
}

}  // namespace

MovieEditingEntries editingEntries() {
    return MovieEditingEntries{
        newMovie, disposeMovie, getMoviesError, getMovieTimeScale, setMovieTimeScale, getMovieDuration,
        getMovieTrackCount, getMovieIndTrack, getMovieBox, setMovieBox, setMovieClipRect, setMoviePosterTime,
        getMoviePosterTime, newMovieTrack, disposeMovieTrack, newTrackMedia, getTrackMedia, getTrackDuration,
        getTrackLayer, setTrackLayer, getTrackMatrix, setTrackMatrix, getTrackDimensions, setTrackDimensions,
        getTrackVolume, setTrackEnabled, setTrackUsage, getTrackUsage, setTrackGraphicsMode, getTrackGraphicsMode,
        copyTrackSettings, insertSegment, deleteSegment, scaleSegment, insertMedia, getTrackEditCount, getTrackEdit,
        getMediaTimeScale, getMediaType, getMediaDuration, getMediaSampleCount, beginMediaEdits, endMediaEdits,
        addMediaSample, setMediaInputMap, newAtomContainer, disposeAtomContainer, atomContainerFromBytes,
        atomContainerBytes, findChildByIndex, findChildById, countChildrenOfType, insertChild, getAtomData,
        getAtomTypeAndId, effectImageDescription, drawMovieFrame, nextTime, flattenMovieToFile, newMovieFromPictureFile};
}

}  // namespace plat::media
