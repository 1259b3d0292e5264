#pragma once
// The runtime's movie playback calls under their role names: opening a movie from a file by
// its host path, from a byte range of a file or from bytes in memory, and playing it (start,
// stop, time, rate, world, activity, its pending work with the drawing-complete procedure,
// its end, and its sound for the mixer). The box, time scale and duration are the editing
// calls' (QtMovieEditing.h). Each hands its arguments unchanged to the connected runtime's
// playback entry; while no connection stands, results are kQtErrNotAvailable, null or 0 and
// nothing is done. Each declaration ends with the numbered operation it stands for ("ours"
// for calls the numbered set lacks). User-interface thread, apart from qtReadMovieSound.
#include <cstdint>

#include "media/quicktime/QtMovieEditing.h"

using plat::media::MrDrawingCompleteProc;

MrErr qtOpenMovieFile(const char* path, MrMovie** out);  // 00020192 + 000200F0
MrErr qtOpenMovieFileRange(const char* path, uint64_t offset, uint64_t length, MrMovie** out);  // ours
MrErr qtOpenMovieFromMemory(const uint8_t* data, uint32_t size, MrMovie** out);  // 00020220
void qtStartMovie(MrMovie* movie);  // 0002000B
void qtStopMovie(MrMovie* movie);  // 0002000C
MrTime qtGetMovieTime(MrMovie* movie);  // 00020039
void qtSetMovieTimeValue(MrMovie* movie, MrTime time);  // 0002003D
MrFixed qtGetMovieRate(MrMovie* movie);  // ours
void qtSetMovieRate(MrMovie* movie, MrFixed rate);  // ours
void qtSetMovieWorld(MrMovie* movie, MrWorld* world);  // 00020016
void qtSetMovieActive(MrMovie* movie, uint8_t active);  // 00020009
MrErr qtMoviesTask(MrMovie* movie, int32_t maxMilliseconds);  // 00020005
uint8_t qtIsMovieDone(MrMovie* movie);  // 000200DD
void qtSetMovieDrawingCompleteProc(MrMovie* movie, MrDrawingCompleteProc proc, intptr_t refcon);  // 00020179
// The mixer's thread: 16-bit stereo frames at plat::media::kMrMovieSoundRate due now.
uint32_t qtReadMovieSound(MrMovie* movie, int16_t* out, uint32_t frames);  // ours
