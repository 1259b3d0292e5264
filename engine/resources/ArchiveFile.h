#pragma once
// The file under an open archive, as the resource manager needs it: positioned reads and
// writes, the length, the file's engine mutex that serialises the user-interface thread
// with the resource reader, and the two means of making changes last: flushing, and a whole
// new file moved over this one in one step. The manager owns the object from opening to
// closing.
#include <memory>

#include "engine/base/EngineTypes.h"

struct Path;

class ArchiveFile {
public:
    virtual ~ArchiveFile() = default;
    // A short read is an error: the archive never asks for bytes past its own length.
    virtual EngineErr read(u32 offset, void* buffer, u32 count) = 0;
    virtual EngineErr write(u32 offset, const void* data, u32 count) = 0;
    virtual EngineErr setLength(u32 length) = 0;
    virtual u32 length() = 0;
    // Returns once every byte written so far is on the disk.
    virtual EngineErr sync() = 0;
    // Whether there is room for a replacement's name beside this file.
    virtual bool replaceable() const = 0;
    // An empty file beside this one, to be written whole and then adopted.
    virtual EngineErr createReplacement(std::unique_ptr<ArchiveFile>* replacement) = 0;
    // Makes the replacement's bytes this file's, in one step; this object then reads and
    // writes them. On failure this file keeps its bytes and the replacement is gone.
    virtual EngineErr adoptReplacement(std::unique_ptr<ArchiveFile> replacement) = 0;
    // Returns once the last adoption lasts through a power loss. Its failure does not undo
    // the adoption: the file holds the replacement's bytes either way.
    virtual EngineErr syncName() = 0;
    // timeoutMs of 0xFFFFFFFF waits as long as it takes.
    virtual EngineErr lock(u32 timeoutMs) = 0;
    virtual void unlock() = 0;
    virtual bool isSameFile(const ArchiveFile& other) const = 0;
    // Files that are not on a path are never at one.
    virtual bool isAt(const Path*) const { return false; }
    virtual EngineErr close(bool force) = 0;
};
