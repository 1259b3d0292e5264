#include "media/quicktime/QtMovieEditing.h"

MrMovie* qtNewMovie(MrTime timeScale) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.newMovie(timeScale) : nullptr;
}

void qtDisposeMovie(MrMovie* movie) {
    const auto* runtime = qtRuntime();
    if (runtime) runtime->editing.disposeMovie(movie);
}

MrErr qtGetMoviesError() {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.getMoviesError() : kQtErrNotAvailable;
}

MrTime qtGetMovieTimeScale(MrMovie* movie) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.getMovieTimeScale(movie) : 0;
}

void qtSetMovieTimeScale(MrMovie* movie, MrTime timeScale) {
    const auto* runtime = qtRuntime();
    if (runtime) runtime->editing.setMovieTimeScale(movie, timeScale);
}

MrTime qtGetMovieDuration(MrMovie* movie) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.getMovieDuration(movie) : 0;
}

int32_t qtGetMovieTrackCount(MrMovie* movie) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.getMovieTrackCount(movie) : 0;
}

MrTrack* qtGetMovieIndTrack(MrMovie* movie, int32_t index) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.getMovieIndTrack(movie, index) : nullptr;
}

void qtGetMovieBox(MrMovie* movie, MrRect* box) {
    const auto* runtime = qtRuntime();
    if (runtime) runtime->editing.getMovieBox(movie, box);
}

void qtSetMovieBox(MrMovie* movie, const MrRect* box) {
    const auto* runtime = qtRuntime();
    if (runtime) runtime->editing.setMovieBox(movie, box);
}

void qtSetMovieClipRect(MrMovie* movie, const MrRect* clip) {
    const auto* runtime = qtRuntime();
    if (runtime) runtime->editing.setMovieClipRect(movie, clip);
}

void qtSetMoviePosterTime(MrMovie* movie, MrTime time) {
    const auto* runtime = qtRuntime();
    if (runtime) runtime->editing.setMoviePosterTime(movie, time);
}

MrTime qtGetMoviePosterTime(MrMovie* movie) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.getMoviePosterTime(movie) : 0;
}

MrTrack* qtNewMovieTrack(MrMovie* movie, MrFixed width, MrFixed height, int16_t volume) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.newMovieTrack(movie, width, height, volume) : nullptr;
}

void qtDisposeMovieTrack(MrTrack* track) {
    const auto* runtime = qtRuntime();
    if (runtime) runtime->editing.disposeMovieTrack(track);
}

MrMedia* qtNewTrackMedia(MrTrack* track, uint32_t mediaType, MrTime timeScale) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.newTrackMedia(track, mediaType, timeScale) : nullptr;
}

MrMedia* qtGetTrackMedia(MrTrack* track) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.getTrackMedia(track) : nullptr;
}

MrTime qtGetTrackDuration(MrTrack* track) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.getTrackDuration(track) : 0;
}

int16_t qtGetTrackLayer(MrTrack* track) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.getTrackLayer(track) : 0;
}

void qtSetTrackLayer(MrTrack* track, int16_t layer) {
    const auto* runtime = qtRuntime();
    if (runtime) runtime->editing.setTrackLayer(track, layer);
}

void qtGetTrackMatrix(MrTrack* track, MrMatrix* matrix) {
    const auto* runtime = qtRuntime();
    if (runtime) runtime->editing.getTrackMatrix(track, matrix);
}

void qtSetTrackMatrix(MrTrack* track, const MrMatrix* matrix) {
    const auto* runtime = qtRuntime();
    if (runtime) runtime->editing.setTrackMatrix(track, matrix);
}

void qtGetTrackDimensions(MrTrack* track, MrFixed* width, MrFixed* height) {
    const auto* runtime = qtRuntime();
    if (runtime) runtime->editing.getTrackDimensions(track, width, height);
}

void qtSetTrackDimensions(MrTrack* track, MrFixed width, MrFixed height) {
    const auto* runtime = qtRuntime();
    if (runtime) runtime->editing.setTrackDimensions(track, width, height);
}

int16_t qtGetTrackVolume(MrTrack* track) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.getTrackVolume(track) : 0;
}

void qtSetTrackEnabled(MrTrack* track, uint8_t enabled) {
    const auto* runtime = qtRuntime();
    if (runtime) runtime->editing.setTrackEnabled(track, enabled);
}

void qtSetTrackUsage(MrTrack* track, uint32_t usage) {
    const auto* runtime = qtRuntime();
    if (runtime) runtime->editing.setTrackUsage(track, usage);
}

uint32_t qtGetTrackUsage(MrTrack* track) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.getTrackUsage(track) : 0;
}

MrErr qtSetTrackGraphicsMode(MrTrack* track, int32_t mode, const MrRgbColor* opColor) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.setTrackGraphicsMode(track, mode, opColor) : kQtErrNotAvailable;
}

MrErr qtGetTrackGraphicsMode(MrTrack* track, int32_t* mode, MrRgbColor* opColor) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.getTrackGraphicsMode(track, mode, opColor) : kQtErrNotAvailable;
}

MrErr qtCopyTrackSettings(MrTrack* source, MrTrack* destination) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.copyTrackSettings(source, destination) : kQtErrNotAvailable;
}

MrErr qtInsertTrackSegment(MrTrack* source, MrTime sourceIn, MrTime sourceDuration, MrTrack* destination, MrTime destinationIn) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.insertTrackSegment(source, sourceIn, sourceDuration, destination, destinationIn) : kQtErrNotAvailable;
}

MrErr qtDeleteTrackSegment(MrTrack* track, MrTime start, MrTime duration) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.deleteTrackSegment(track, start, duration) : kQtErrNotAvailable;
}

MrErr qtScaleTrackSegment(MrTrack* track, MrTime start, MrTime oldDuration, MrTime newDuration) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.scaleTrackSegment(track, start, oldDuration, newDuration) : kQtErrNotAvailable;
}

MrErr qtInsertMediaIntoTrack(MrTrack* track, MrTime trackStart, MrTime mediaTime, MrTime mediaDuration, MrFixed rate) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.insertMediaIntoTrack(track, trackStart, mediaTime, mediaDuration, rate) : kQtErrNotAvailable;
}

int32_t qtGetTrackEditCount(MrTrack* track) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.getTrackEditCount(track) : 0;
}

MrErr qtGetTrackEdit(MrTrack* track, int32_t index, MrTrackEdit* edit) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.getTrackEdit(track, index, edit) : kQtErrNotAvailable;
}

MrTime qtGetMediaTimeScale(MrMedia* media) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.getMediaTimeScale(media) : 0;
}

uint32_t qtGetMediaType(MrMedia* media) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.getMediaType(media) : 0;
}

MrTime qtGetMediaDuration(MrMedia* media) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.getMediaDuration(media) : 0;
}

int32_t qtGetMediaSampleCount(MrMedia* media) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.getMediaSampleCount(media) : 0;
}

MrErr qtBeginMediaEdits(MrMedia* media) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.beginMediaEdits(media) : kQtErrNotAvailable;
}

MrErr qtEndMediaEdits(MrMedia* media) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.endMediaEdits(media) : kQtErrNotAvailable;
}

MrErr qtAddMediaSample(MrMedia* media, const uint8_t* data, uint32_t size, MrTime durationEach, const uint8_t* description, uint32_t descriptionSize, int32_t count, MrTime* sampleTime) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.addMediaSample(media, data, size, durationEach, description, descriptionSize, count, sampleTime) : kQtErrNotAvailable;
}

MrErr qtSetMediaInputMap(MrMedia* media, MrAtomContainer* inputMap) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.setMediaInputMap(media, inputMap) : kQtErrNotAvailable;
}

MrAtomContainer* qtNewAtomContainer() {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.newAtomContainer() : nullptr;
}

void qtDisposeAtomContainer(MrAtomContainer* container) {
    const auto* runtime = qtRuntime();
    if (runtime) runtime->editing.disposeAtomContainer(container);
}

MrErr qtAtomContainerFromBytes(const uint8_t* data, uint32_t size, MrAtomContainer** out) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.atomContainerFromBytes(data, size, out) : kQtErrNotAvailable;
}

MrErr qtAtomContainerBytes(MrAtomContainer* container, MrHandle** out) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.atomContainerBytes(container, out) : kQtErrNotAvailable;
}

MrAtom qtFindChildByIndex(MrAtomContainer* container, MrAtom parent, uint32_t type, int16_t index, uint32_t* id) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.findChildByIndex(container, parent, type, index, id) : 0;
}

MrAtom qtFindChildById(MrAtomContainer* container, MrAtom parent, uint32_t type, uint32_t id) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.findChildById(container, parent, type, id) : 0;
}

int16_t qtCountChildrenOfType(MrAtomContainer* container, MrAtom parent, uint32_t type) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.countChildrenOfType(container, parent, type) : 0;
}

MrErr qtInsertChild(MrAtomContainer* container, MrAtom parent, uint32_t type, uint32_t id, int16_t index, uint32_t dataSize, const void* data, MrAtom* out) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.insertChild(container, parent, type, id, index, dataSize, data, out) : kQtErrNotAvailable;
}

MrErr qtGetAtomData(MrAtomContainer* container, MrAtom atom, uint32_t* size, const uint8_t** data) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.getAtomData(container, atom, size, data) : kQtErrNotAvailable;
}

MrErr qtGetAtomTypeAndId(MrAtomContainer* container, MrAtom atom, uint32_t* type, uint32_t* id) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.getAtomTypeAndId(container, atom, type, id) : kQtErrNotAvailable;
}

MrErr qtMakeEffectImageDescription(uint32_t effectType, MrHandle* description) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.effectImageDescription(effectType, description) : kQtErrNotAvailable;
}

MrErr qtDrawMovieFrame(MrMovie* movie, MrTime time, MrWorld* world) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.drawMovieFrame(movie, time, world) : kQtErrNotAvailable;
}

MrTime qtGetMovieNextInterestingTime(MrMovie* movie, MrTime time) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.nextInterestingTime(movie, time) : -1;
}

MrErr qtFlattenMovieToFile(MrMovie* movie, const char* path) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.flattenMovieToFile(movie, path) : kQtErrNotAvailable;
}

MrErr qtNewMovieFromPictureFile(const char* path, MrMovie** out) {
    const auto* runtime = qtRuntime();
    return runtime ? runtime->editing.newMovieFromPictureFile(path, out) : kQtErrNotAvailable;
}
