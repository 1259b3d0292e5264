#pragma once
// The runtime's movie editing calls under their role names: movies, tracks, media, edits and
// samples, atom containers, effect descriptions, drawing an edited movie and flattening it into
// a .mov file. Each hands its arguments unchanged to the connected runtime's editing entry; while
// no connection stands, results are kQtErrNotAvailable, null, 0 (-1 for a time to come) and
// nothing is done. Each declaration ends with the numbered operation it stands for ("ours" for
// calls the numbered set lacks). User-interface thread.
#include <cstdint>

#include "media/quicktime/QtRuntime.h"

using plat::media::MrAtom;
using plat::media::MrAtomContainer;
using plat::media::MrFixed;
using plat::media::MrMatrix;
using plat::media::MrMedia;
using plat::media::MrMovie;
using plat::media::MrRgbColor;
using plat::media::MrTime;
using plat::media::MrTrack;
using plat::media::MrTrackEdit;

MrMovie* qtNewMovie(MrTime timeScale);  // ours
void qtDisposeMovie(MrMovie* movie);  // ours
MrErr qtGetMoviesError();  // 00020003
MrTime qtGetMovieTimeScale(MrMovie* movie);  // 00020029
void qtSetMovieTimeScale(MrMovie* movie, MrTime timeScale);  // 0002002A
MrTime qtGetMovieDuration(MrMovie* movie);  // 0002002B
int32_t qtGetMovieTrackCount(MrMovie* movie);  // 0002003F
MrTrack* qtGetMovieIndTrack(MrMovie* movie, int32_t index);  // 00020117
void qtGetMovieBox(MrMovie* movie, MrRect* box);  // 000200F9
void qtSetMovieBox(MrMovie* movie, const MrRect* box);  // 000200FA
void qtSetMovieClipRect(MrMovie* movie, const MrRect* clip);  // 00020101
void qtSetMoviePosterTime(MrMovie* movie, MrTime time);  // ours
MrTime qtGetMoviePosterTime(MrMovie* movie);  // ours
MrTrack* qtNewMovieTrack(MrMovie* movie, MrFixed width, MrFixed height, int16_t volume);  // 00020188
void qtDisposeMovieTrack(MrTrack* track);  // ours
MrMedia* qtNewTrackMedia(MrTrack* track, uint32_t mediaType, MrTime timeScale);  // 0002018E
MrMedia* qtGetTrackMedia(MrTrack* track);  // ours
MrTime qtGetTrackDuration(MrTrack* track);  // 0002004B
int16_t qtGetTrackLayer(MrTrack* track);  // 00020050
void qtSetTrackLayer(MrTrack* track, int16_t layer);  // 00020051
void qtGetTrackMatrix(MrTrack* track, MrMatrix* matrix);  // 00020056
void qtSetTrackMatrix(MrTrack* track, const MrMatrix* matrix);  // 00020057
void qtGetTrackDimensions(MrTrack* track, MrFixed* width, MrFixed* height);  // 0002005D
void qtSetTrackDimensions(MrTrack* track, MrFixed width, MrFixed height);  // ours
int16_t qtGetTrackVolume(MrTrack* track);  // ours
void qtSetTrackEnabled(MrTrack* track, uint8_t enabled);  // ours
void qtSetTrackUsage(MrTrack* track, uint32_t usage);  // ours
uint32_t qtGetTrackUsage(MrTrack* track);  // ours
MrErr qtSetTrackGraphicsMode(MrTrack* track, int32_t mode, const MrRgbColor* opColor);  // ours
MrErr qtGetTrackGraphicsMode(MrTrack* track, int32_t* mode, MrRgbColor* opColor);  // ours
MrErr qtCopyTrackSettings(MrTrack* source, MrTrack* destination);  // 00020153
MrErr qtInsertTrackSegment(MrTrack* source, MrTime sourceIn, MrTime sourceDuration, MrTrack* destination, MrTime destinationIn);  // 00020085
MrErr qtDeleteTrackSegment(MrTrack* track, MrTime start, MrTime duration);  // 00020089
MrErr qtScaleTrackSegment(MrTrack* track, MrTime start, MrTime oldDuration, MrTime newDuration);  // 0002008B
MrErr qtInsertMediaIntoTrack(MrTrack* track, MrTime trackStart, MrTime mediaTime, MrTime mediaDuration, MrFixed rate);  // 00020183
int32_t qtGetTrackEditCount(MrTrack* track);  // ours
MrErr qtGetTrackEdit(MrTrack* track, int32_t index, MrTrackEdit* edit);  // ours
MrTime qtGetMediaTimeScale(MrMedia* media);  // 00020068
uint32_t qtGetMediaType(MrMedia* media);  // 0002006F
MrTime qtGetMediaDuration(MrMedia* media);  // 0002006A
int32_t qtGetMediaSampleCount(MrMedia* media);  // ours
MrErr qtBeginMediaEdits(MrMedia* media);  // 00020072
MrErr qtEndMediaEdits(MrMedia* media);  // 00020073
MrErr qtAddMediaSample(MrMedia* media, const uint8_t* data, uint32_t size, MrTime durationEach, const uint8_t* description, uint32_t descriptionSize, int32_t count, MrTime* sampleTime);  // 0002007C
MrErr qtSetMediaInputMap(MrMedia* media, MrAtomContainer* inputMap);  // 0002024A
MrAtomContainer* qtNewAtomContainer();  // 0002020C
void qtDisposeAtomContainer(MrAtomContainer* container);  // 0002020D
MrErr qtAtomContainerFromBytes(const uint8_t* data, uint32_t size, MrAtomContainer** out);  // ours
MrErr qtAtomContainerBytes(MrAtomContainer* container, MrHandle** out);  // ours
MrAtom qtFindChildByIndex(MrAtomContainer* container, MrAtom parent, uint32_t type, int16_t index, uint32_t* id);  // 00020210
MrAtom qtFindChildById(MrAtomContainer* container, MrAtom parent, uint32_t type, uint32_t id);  // ours
int16_t qtCountChildrenOfType(MrAtomContainer* container, MrAtom parent, uint32_t type);  // ours
MrErr qtInsertChild(MrAtomContainer* container, MrAtom parent, uint32_t type, uint32_t id, int16_t index, uint32_t dataSize, const void* data, MrAtom* out);  // 000201F0, 00020218
MrErr qtGetAtomData(MrAtomContainer* container, MrAtom atom, uint32_t* size, const uint8_t** data);  // 00020216
MrErr qtGetAtomTypeAndId(MrAtomContainer* container, MrAtom atom, uint32_t* type, uint32_t* id);  // ours
MrErr qtMakeEffectImageDescription(uint32_t effectType, MrHandle* description);  // 00030092
MrErr qtDrawMovieFrame(MrMovie* movie, MrTime time, MrWorld* world);  // ours
MrTime qtGetMovieNextInterestingTime(MrMovie* movie, MrTime time);  // 0002010E
MrErr qtFlattenMovieToFile(MrMovie* movie, const char* path);  // 0002019B
MrErr qtNewMovieFromPictureFile(const char* path, MrMovie** out);  // ours
