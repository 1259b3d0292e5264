#pragma once
// A movie kept in a file (a page's file, or the file it was brought in from), opened where it
// lies: the runtime reads its samples from the file as it plays, so a big movie never sits in
// memory. Its atoms are checked first: a movie with no "moov" atom, or whose tracks count their
// chunks with 64-bit offsets ("co64"), is refused, as is one whose movie atom is damaged or
// larger than any movie of a page has. User-interface thread only.
#include "document/objects/RMediaFilePageObject.h"
#include "document/objects/StoredMedia.h"
#include "media/quicktime/QtMovies.h"

constexpr u32 kLargestMovieAtom = 32u << 20;

// 0 and the movie; the runtime's error, or with `atoms` the atom check's result
// (kMovieErrNoMovieAtom, kMovieErrWideOffsets, kMovieErrBadAtom, MovieAtoms.h) and no movie.
MrErr OpenStoredMovie(const Ostrel::StoredMedia& stored, MrMovie** out, u16* atoms = nullptr);
// A page's movie object's movie: where it lies in its file, else from its bytes in memory.
// kMrBadFormat for an object with neither.
MrErr OpenPageMovie(const Ostrel::RMediaFilePageObject& object, MrMovie** out);
