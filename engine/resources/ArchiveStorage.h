#pragma once
// Writes an open archive's file so that it opens at every step: the directory and file
// table that the header on disk points to (the committed tables) are never overwritten or
// cut off, and the header's length always follows the file's length.
//
// The manager places data and tables exactly where the format's placement rules say. When
// such a write would land on the committed tables, this layer first copies them past the
// end of the file and points the header there; new tables that would replace the committed
// ones in place are first written and committed past the end, then written in their final
// place and committed again, and only then is the file cut to its final length.
// A failing step leaves the last committed state on disk. One archive, under its file lock.
#include <vector>

#include "engine/base/EngineTypes.h"
#include "engine/resources/ArchiveFile.h"
#include "engine/resources/format/ArchiveFormat.h"

class ArchiveStorage {
public:
    // `header` and `tables` are what the file holds now.
    ArchiveStorage(ArchiveFile& file, const ArchiveHeader& header, std::vector<u8> tables);

    EngineErr read(u32 offset, void* buffer, u32 count) { return file_.read(offset, buffer, count); }
    EngineErr writeData(u32 offset, const void* data, u32 count);
    // Makes the file at least `length` bytes long; it is cut back only by commitTables.
    EngineErr reserve(u32 length);
    // Makes `tables` the archive's directory and file table at `offset`, the file `length`
    // bytes long, with the archive flags `flags`.
    EngineErr commitTables(u32 offset, const std::vector<u8>& tables, u16 directorySize, u32 length, u16 flags);

private:
    bool overlapsCommitted(u32 offset, u32 count) const;
    EngineErr relocateCommitted(u32 atLeast);
    EngineErr placeCommitted(u32 offset, std::vector<u8> tables, u16 directorySize);
    EngineErr writeHeader(u32 length);
    EngineErr shrinkTo(u32 length);

    ArchiveFile& file_;
    ArchiveHeader committed_;
    std::vector<u8> committedTables_;
    u32 physicalLength_;
};
