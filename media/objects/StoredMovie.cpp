#include "media/objects/StoredMovie.h"

#include "engine/files/MovieAtoms.h"
#include "media/quicktime/ImgJpeg.h"

MrErr OpenStoredMovie(const Ostrel::StoredMedia& stored, MrMovie** out, u16* atoms) {
    *out = nullptr;
    const AtomBytesReader read = [&stored](u64 at, u8* bytes, u32 count) {
        return at <= stored.Size() && stored.Read(u32(at), bytes, count) == kErrNone;
    };
    const u16 checked = CheckMovieInPlace(stored.Size(), read, kLargestMovieAtom);
    if (atoms) *atoms = checked;
    if (checked != 0) return plat::media::kMrBadFormat;
    // The range starts where the movie does, so its chunk offsets count from there as they are.
    const std::string path = imgRuntimePath(stored.File());
    if (path.empty()) return plat::media::kMrFileNotFound;
    return qtOpenMovieFileRange(path.c_str(), stored.Offset(), stored.Size(), out);
}

MrErr OpenPageMovie(const Ostrel::RMediaFilePageObject& object, MrMovie** out) {
    *out = nullptr;
    if (object.stored) return OpenStoredMovie(*object.stored, out);
    if (object.media.empty() || object.media.size() > 0xFFFFFFFFu) return plat::media::kMrBadFormat;
    return qtOpenMovieFromMemory(object.media.data(), u32(object.media.size()), out);
}
