#pragma once
// Media kept in a file rather than in memory: a byte range of a file, such as a movie inside a
// page's file, or a movie file brought onto a page and not saved yet. Its players read it where
// it lies; a save copies it piece by piece; only an export or a thumbnail reads it whole. Every
// copy of an object shares one range, so that when a save moves the bytes into a new page file
// the range follows them for all. User-interface thread only.
#include <functional>
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"

class ArchiveFile;

namespace Ostrel {

class StoredMedia {
public:
    // `file`: the engine text of the file holding the bytes.
    StoredMedia(std::string file, u32 offset, u32 size) : file_(std::move(file)), offset_(offset), size_(size) {}

    const std::string& File() const { return file_; }
    u32 Offset() const { return offset_; }
    u32 Size() const { return size_; }
    // The same bytes, now at `offset` of `file`.
    void MovedTo(std::string file, u32 offset) {
        file_ = std::move(file);
        offset_ = offset;
    }

    EngineErr ReadAll(std::vector<u8>* bytes) const;
    // Hands the bytes to `take` in pieces, in order (the piece, its length, its place in the
    // range); the first error ends it. `open`, when it is the file the range lies in, is read
    // instead of opening that file again (a file open to be written is not shared).
    using PieceTaker = std::function<EngineErr(const u8* piece, u32 count, u32 position)>;
    EngineErr ForEachPiece(ArchiveFile* open, const PieceTaker& take) const;

private:
    std::string file_;
    u32 offset_;
    u32 size_;
};

}  // namespace Ostrel
