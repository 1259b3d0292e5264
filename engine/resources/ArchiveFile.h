#pragma once
// The file under an open archive, as the resource manager needs it: positioned reads and
// writes, the length, and the file's engine mutex that serialises the user-interface thread
// with the resource reader. The manager owns the object from opening to closing.
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
    // timeoutMs of 0xFFFFFFFF waits as long as it takes.
    virtual EngineErr lock(u32 timeoutMs) = 0;
    virtual void unlock() = 0;
    virtual bool isSameFile(const ArchiveFile& other) const = 0;
    // Files that are not on a path are never at one.
    virtual bool isAt(const Path*) const { return false; }
    virtual EngineErr close(bool force) = 0;
};
