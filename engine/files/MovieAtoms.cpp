#include "engine/files/MovieAtoms.h"


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
    u64 at = startOffset;
    while (at + kAtomHeaderSize <= file.size()) {
        const u32 atomSize = readBE32(file.data() + at);
        if (atomSize < kAtomHeaderSize || at + atomSize > file.size()) return kMovieErrBadAtom;
        if (readBE32(file.data() + at + 4) == kMovieAtom) {
            *offset = u32(at);
            *size = atomSize;
            return 0;
        }
        at += atomSize;
    }
    return kMovieErrNoMovieAtom;
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
