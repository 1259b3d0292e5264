#include "document/objects/StoredMedia.h"

#include <algorithm>
#include <optional>

#include "document/storage/PageErrors.h"
#include "document/storage/StorageErrors.h"
#include "engine/files/OsFiles.h"
#include "engine/files/OsServices.h"
#include "engine/files/Paths.h"
#include "engine/resources/ArchiveFile.h"

namespace Ostrel {

namespace {

// Large enough that a movie is copied in few reads, small enough to stay out of the way.
constexpr u32 kPieceSize = 1u << 20;

class OpenFile {
public:
    explicit OpenFile(const std::string& text) {
        Path path;
        pathInitEmpty(&path);
        if (pathFromText(&path, text.c_str())->record) file_ = osOpenFile(&path, kOsOpenRead | kOsOpenShareRead);
        err_ = file_ ? kErrNone : pathGetLastError();
        pathRelease(&path);
    }
    ~OpenFile() {
        if (file_) osCloseFile(file_, 1);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    EngineErr Error() const { return err_ ? err_ : kDocErrMissingMedia; }
    EngineErr Read(u32 at, void* out, u32 count) {
        if (!file_) return Error();
        u32 done = count;
        const EngineErr err = osReadFileAt(file_, at, out, &done);
        return err ? err : done == count ? kErrNone : kDocErrTruncated;
    }

private:
    OsFile* file_ = nullptr;
    EngineErr err_ = kErrNone;
};

}  // namespace

EngineErr StoredMedia::ReadAll(std::vector<u8>* bytes) const {
    bytes->resize(size_);
    return ForEachPiece(nullptr, [bytes](const u8* piece, u32 count, u32 position) {
        std::copy_n(piece, count, bytes->data() + position);
        return kErrNone;
    });
}

EngineErr StoredMedia::ForEachPiece(ArchiveFile* open, const PieceTaker& take) const {
    Path path;
    pathInitEmpty(&path);
    const bool same = open && pathFromText(&path, file_.c_str())->record && open->isAt(&path);
    pathRelease(&path);
    std::optional<OpenFile> file;
    if (!same) file.emplace(file_);
    std::vector<u8> piece(std::min(size_, kPieceSize));
    for (u32 position = 0; position < size_;) {
        const u32 count = std::min(kPieceSize, size_ - position);
        const EngineErr err = same ? open->read(offset_ + position, piece.data(), count)
                                   : file->Read(offset_ + position, piece.data(), count);
        if (err) return err;
        if (EngineErr taken = take(piece.data(), count, position)) return taken;
        position += count;
    }
    return kErrNone;
}

}  // namespace Ostrel
