#include "media/objects/StoredMovie.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "engine/files/MovieAtoms.h"
#include "media/quicktime/ImgJpeg.h"

MrErr OpenStoredMovie(const Ostrel::StoredMedia& stored, MrMovie** out, u16* atoms) {
    *out = nullptr;
    // Read as the runtime reads it, also while a save holds the page's file open (a thumbnail
    // of the page being saved shows the movie).
    const std::string path = imgRuntimePath(stored.File());
    // A pipe given a movie's name would hold the open until someone wrote to it.
    std::error_code failed;
    if (path.empty() || !std::filesystem::is_regular_file(path, failed)) return plat::media::kMrFileNotFound;
    std::ifstream file(path, std::ios::binary);
    if (!file) return plat::media::kMrFileNotFound;
    const AtomBytesReader read = [&](u64 at, u8* bytes, u32 count) {
        if (at > stored.Size() || count > stored.Size() - at) return false;
        file.clear();
        return bool(file.seekg(std::streamoff(stored.Offset() + at)).read(reinterpret_cast<char*>(bytes), count));
    };
    const u16 checked = CheckMovieInPlace(stored.Size(), read, kLargestMovieAtom);
    if (atoms) *atoms = checked;
    if (checked != 0) return plat::media::kMrBadFormat;
    // The range starts where the movie does, so its chunk offsets count from there as they are.
    return qtOpenMovieFileRange(path.c_str(), stored.Offset(), stored.Size(), out);
}

MrErr OpenPageMovie(const Ostrel::RMediaFilePageObject& object, MrMovie** out) {
    *out = nullptr;
    if (object.stored) return OpenStoredMovie(*object.stored, out);
    if (object.media.empty() || object.media.size() > 0xFFFFFFFFu) return plat::media::kMrBadFormat;
    return qtOpenMovieFromMemory(object.media.data(), u32(object.media.size()), out);
}
