#include "platform/media/movie/MoviePosterMarks.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "platform/media/ByteReader.h"

namespace plat::media {

namespace {

// A movie's atoms are read whole; more than this is no movie we wrote.
constexpr uint64_t kMostMovieAtoms = 64u << 20;
constexpr uint32_t kMovieAtom = 0x6D6F6F76;   // 'moov'
constexpr uint32_t kHeaderAtom = 0x6D766864;  // 'mvhd'
constexpr uint32_t kTrackAtom = 0x7472616B;   // 'trak'
constexpr uint32_t kTrackHeader = 0x746B6864; // 'tkhd'
// From an 'mvhd' atom's version byte: the time scale and the poster time, for versions 0 and 1.
constexpr size_t kScaleAt[2] = {12, 20};
constexpr size_t kPosterAt[2] = {80, 92};

struct Atom {
    uint32_t type = 0;
    uint64_t at = 0;        // where its contents begin
    uint64_t length = 0;    // of its contents
};

// The atom at `at` of a span ending at `end`; false when its size does not fit the span.
bool readAtom(const uint8_t* header, uint64_t available, uint64_t at, uint64_t end, Atom* atom) {
    ByteReader in(header, size_t(std::min<uint64_t>(available, 16)));
    const uint64_t size32 = in.be32();
    atom->type = in.be32();
    uint64_t size = size32, headerSize = 8;
    if (size32 == 1) {
        size = uint64_t(in.be32()) << 32;
        size |= in.be32();
        headerSize = 16;
    } else if (size32 == 0) {
        size = end - at;
    }
    if (!in.ok() || size < headerSize || size > end - at) return false;
    atom->at = at + headerSize;
    atom->length = size - headerSize;
    return true;
}

// The first child of the kind (the `index`th from 1) within `parent` of the movie's bytes.
bool findChild(const std::vector<uint8_t>& bytes, const Atom& parent, uint32_t type, int32_t index, Atom* found) {
    const uint64_t end = parent.at + parent.length;
    for (uint64_t at = parent.at; at + 8 <= end;) {
        Atom atom;
        if (!readAtom(bytes.data() + at, end - at, at, end, &atom)) return false;
        if (atom.type == type && --index == 0) {
            *found = atom;
            return true;
        }
        at = atom.at + atom.length;
    }
    return false;
}

bool readAll(int fd, uint8_t* into, size_t size, uint64_t at) {
    while (size > 0) {
        const ssize_t got = ::pread(fd, into, size, off_t(at));
        if (got <= 0) return false;
        into += got, size -= size_t(got), at += uint64_t(got);
    }
    return true;
}

bool writeAll(int fd, const uint8_t* from, size_t size, uint64_t at) {
    while (size > 0) {
        const ssize_t put = ::pwrite(fd, from, size, off_t(at));
        if (put <= 0) return false;
        from += put, size -= size_t(put), at += uint64_t(put);
    }
    return true;
}

void putBe32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v >> 24), p[1] = uint8_t(v >> 16), p[2] = uint8_t(v >> 8), p[3] = uint8_t(v);
}

class File {
public:
    explicit File(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_CLOEXEC)) {}
    ~File() {
        if (fd_ >= 0) ::close(fd_);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

}  // namespace

MrErr markMoviePoster(const std::string& path, int32_t trackNumber, int64_t posterTime, int64_t timeScale) {
    if (trackNumber < 1 || posterTime < 0 || timeScale <= 0) return kMrParamErr;
    const File file(path);
    struct stat status {};
    if (file.fd() < 0 || ::fstat(file.fd(), &status) != 0) return kMrWriteErr;
    const uint64_t fileSize = uint64_t(status.st_size);
    // The movie atom among the file's top-level atoms.
    Atom movie;
    bool found = false;
    for (uint64_t at = 0; !found && at + 8 <= fileSize;) {
        uint8_t header[16] = {};
        const uint64_t available = std::min<uint64_t>(16, fileSize - at);
        if (!readAll(file.fd(), header, size_t(available), at) || !readAtom(header, available, at, fileSize, &movie))
            return kMrBadFormat;
        found = movie.type == kMovieAtom;
        at = movie.at + movie.length;
    }
    if (!found || movie.length > kMostMovieAtoms) return kMrBadFormat;
    std::vector<uint8_t> bytes(size_t(movie.length));
    if (!readAll(file.fd(), bytes.data(), bytes.size(), movie.at)) return kMrWriteErr;
    const Atom whole{kMovieAtom, 0, movie.length};
    Atom header, track, trackHeader;
    if (!findChild(bytes, whole, kHeaderAtom, 1, &header) || !findChild(bytes, whole, kTrackAtom, trackNumber, &track) ||
        !findChild(bytes, track, kTrackHeader, 1, &trackHeader) || header.length < 1 || trackHeader.length < 4)
        return kMrBadFormat;
    const uint8_t version = bytes[size_t(header.at)];
    if (version > 1 || header.length < kPosterAt[version] + 4) return kMrBadFormat;
    ByteReader scaleIn(bytes.data() + header.at + kScaleAt[version], 4);
    const uint32_t scale = scaleIn.be32();
    const int64_t poster = int64_t(__int128(posterTime) * scale / timeScale);
    if (poster > int64_t(UINT32_MAX)) return kMrParamErr;
    uint8_t posterBytes[4];
    putBe32(posterBytes, uint32_t(poster));
    const uint8_t flags[3] = {uint8_t(kPosterTrackFlags >> 16), uint8_t(kPosterTrackFlags >> 8), uint8_t(kPosterTrackFlags)};
    if (!writeAll(file.fd(), posterBytes, 4, movie.at + header.at + kPosterAt[version]) ||
        !writeAll(file.fd(), flags, 3, movie.at + trackHeader.at + 1))
        return kMrWriteErr;
    return kMrNoErr;
}

}  // namespace plat::media
