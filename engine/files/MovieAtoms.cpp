#include "engine/files/MovieAtoms.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/base/ByteOrder.h"

namespace {

constexpr FourCC kMovieAtom = fourCC("moov");
constexpr u32 kChunkCountAt = 12;
constexpr u32 kChunkTableAt = 16;

struct Relocation {
    u32 delta;
    bool apply;  // the first walk only checks, so a refused movie is left as it was
};

u16 walkChildren(void* context, std::span<u8> atom, const AtomHandlerEntry* handlers) {
    return ParseAtomList(atom.subspan(kAtomHeaderSize), handlers, context);
}

u16 relocateChunkOffsets(void* context, std::span<u8> atom) {
    const auto* relocation = static_cast<const Relocation*>(context);
    if (atom.size() < kChunkTableAt) return kMovieErrBadAtom;
    const i32 count = i32(readBE32(atom.data() + kChunkCountAt));
    if (count <= 0) return 0;
    if (u64(count) > (atom.size() - kChunkTableAt) / 4) return kMovieErrBadAtom;
    if (!relocation->apply) return 0;
    for (u32 i = 0; i < u32(count); ++i) {
        u8* entry = atom.data() + kChunkTableAt + 4 * i;
        writeBE32(entry, readBE32(entry) + relocation->delta);
    }
    return 0;
}

u16 refuseWideOffsets(void*, std::span<u8>) { return kMovieErrWideOffsets; }

u16 walkSampleTable(void* context, std::span<u8> atom) {
    static const AtomHandlerEntry table[] = {
        {refuseWideOffsets, fourCC("co64")}, {relocateChunkOffsets, fourCC("stco")}, {nullptr, 0}};
    return walkChildren(context, atom, table);
}
u16 walkMediaInfo(void* context, std::span<u8> atom) {
    static const AtomHandlerEntry table[] = {{walkSampleTable, fourCC("stbl")}, {nullptr, 0}};
    return walkChildren(context, atom, table);
}
u16 walkMedia(void* context, std::span<u8> atom) {
    static const AtomHandlerEntry table[] = {{walkMediaInfo, fourCC("minf")}, {nullptr, 0}};
    return walkChildren(context, atom, table);
}
u16 walkTrack(void* context, std::span<u8> atom) {
    static const AtomHandlerEntry table[] = {{walkMedia, fourCC("mdia")}, {nullptr, 0}};
    return walkChildren(context, atom, table);
}

}  // namespace

u16 ParseAtomList(std::span<u8> atoms, const AtomHandlerEntry* handlers, void* context) {
    while (atoms.size() >= kAtomHeaderSize) {
        const u32 size = readBE32(atoms.data());
        if (size < kAtomHeaderSize || size > atoms.size()) return kMovieErrBadAtom;
        const FourCC type = readBE32(atoms.data() + 4);
        const std::span<u8> atom = atoms.first(size);
        for (const AtomHandlerEntry* entry = handlers; entry->handler; ++entry) {
            if (entry->type != type) continue;
            if (const u16 result = entry->handler(context, atom)) return result;
        }
        atoms = atoms.subspan(size);
    }
    return 0;
}

u16 FindMovieAtom(std::span<const u8> file, u32 startOffset, u32* offset, u32* size) {
    const AtomBytesReader read = [file](u64 at, u8* out, u32 count) {
        if (at > file.size() || count > file.size() - at) return false;
        std::memcpy(out, file.data() + at, count);
        return true;
    };
    u64 found = 0;
    const u16 result = FindMovieAtomIn(file.size(), startOffset, read, &found, size);
    if (result == 0) *offset = u32(found);
    return result;
}

u16 FindMovieAtomIn(u64 length, u64 startOffset, const AtomBytesReader& read, u64* offset, u32* size) {
    u64 at = startOffset;
    u8 header[kAtomHeaderSize];
    while (at <= length && length - at >= kAtomHeaderSize) {
        if (!read(at, header, kAtomHeaderSize)) return kMovieErrBadAtom;
        const u32 atomSize = readBE32(header);
        if (atomSize < kAtomHeaderSize || atomSize > length - at) return kMovieErrBadAtom;
        if (readBE32(header + 4) == kMovieAtom) {
            *offset = at;
            *size = atomSize;
            return 0;
        }
        at += atomSize;
    }
    return kMovieErrNoMovieAtom;
}

u16 CheckMovieInPlace(u64 length, const AtomBytesReader& read, u32 largestMovieAtom) {
    u64 offset = 0;
    u32 size = 0;
    if (const u16 result = FindMovieAtomIn(length, 0, read, &offset, &size)) return result;
    if (size > largestMovieAtom) return kMovieErrBadAtom;
    std::vector<u8> movie(size);
    if (!read(offset, movie.data(), size)) return kMovieErrBadAtom;
    // The movie plays from its own start: its offsets stay as they are, only checked.
    return RelocateMovieChunkOffsets(movie, 0);
}

u16 RelocateMovieChunkOffsets(std::span<u8> movie, u32 delta) {
    if (movie.size() < kAtomHeaderSize || readBE32(movie.data()) != movie.size() ||
        readBE32(movie.data() + 4) != kMovieAtom) {
        return kMovieErrBadAtom;
    }
    static const AtomHandlerEntry tracks[] = {{walkTrack, fourCC("trak")}, {nullptr, 0}};
    Relocation relocation{delta, false};
    if (const u16 result = walkChildren(&relocation, movie, tracks)) return result;
    relocation.apply = true;
    return walkChildren(&relocation, movie, tracks);
}
