#pragma once
// QuickTime movie atoms, as bytes: finding a movie's "moov" atom inside a larger file, walking
// runs of sibling atoms, and moving every track's chunk offsets by a distance. A movie stored
// inside a project archive counts its sample data from its own start; adding its offset in
// the archive to each chunk offset lets it play straight from the archive.
//
// Pure functions over byte buffers: every size and count is checked against the bytes that
// hold it, so damaged or hostile movies are refused, never read or written past. Any thread.
#include <functional>
#include <span>

#include "engine/base/EngineTypes.h"

constexpr u16 kMovieErrNoMovieAtom = 1;
// An atom whose size is below its own 8-byte header or runs past the bytes that hold it, or a
// chunk-offset table that does not fit its atom.
constexpr u16 kMovieErrBadAtom = 2;
// 64-bit chunk offsets ("co64"): such a movie is not relocated.
constexpr u16 kMovieErrWideOffsets = 0xFFFF;

constexpr u32 kAtomHeaderSize = 8;

// (context, the whole atom, header included) → non-zero ends the walk with that result.
using AtomHandler = u16 (*)(void* context, std::span<u8> atom);
struct AtomHandlerEntry {
    AtomHandler handler;  // null ends the table
    FourCC type;
};

// Walks the sibling atoms in `atoms`, calling each handler whose type is the atom's, in
// table order. Fewer than 8 bytes left over at the end are ignored. 0 when walked to the end.
u16 ParseAtomList(std::span<u8> atoms, const AtomHandlerEntry* handlers, void* context);
// The "moov" atom among the top-level atoms from `startOffset` on: its offset and size.
u16 FindMovieAtom(std::span<const u8> file, u32 startOffset, u32* offset, u32* size);
// The same search over bytes read piece by piece (a movie inside a file too large to hold):
// `read` copies `count` bytes from `at` of the `length` bytes searched, false when it cannot.
using AtomBytesReader = std::function<bool(u64 at, u8* out, u32 count)>;
u16 FindMovieAtomIn(u64 length, u64 startOffset, const AtomBytesReader& read, u64* offset, u32* size);
// Whether a movie of `length` bytes read through `read` can play from where it lies: it has a
// "moov" atom of at most `largestMovieAtom` bytes, well formed, whose tracks count their chunks
// with 32-bit offsets. 0, kMovieErrNoMovieAtom, kMovieErrWideOffsets or kMovieErrBadAtom (also
// for a movie atom past the limit or one that cannot be read).
u16 CheckMovieInPlace(u64 length, const AtomBytesReader& read, u32 largestMovieAtom);
// Adds `delta` (modulo 2^32) to every 32-bit chunk offset of every track of the "moov" atom
// `movie` (header included). Nothing is changed when the result is not 0.
u16 RelocateMovieChunkOffsets(std::span<u8> movie, u32 delta);
