#pragma once
// Writes an open archive's file so that a kill at any instant leaves an archive that opens
// and holds exactly what the last commit committed, and a power loss after a commit returned
// loses nothing of it.
//
// The committed state is the header on disk, the directory and file table it points to, and
// the data of the live entries of that table. No byte of it is ever overwritten; only the
// 28-byte header changes in place, as the single step that commits. Before a write lands on
// committed bytes they are copied past the end of the file and a header pointing there is
// committed first. A commit flushes the tables and data before the header and the header
// before it returns. The file may be longer than the header's length (a write past the end
// before its commit); readers ignore that tail, and a commit cuts it off afterwards.
//
// The manager places data and tables exactly where the format's placement rules say; this
// layer only decides what happens first. One archive, under its file lock.
#include <memory>
#include <vector>

#include "engine/base/EngineTypes.h"
#include "engine/resources/ArchiveFile.h"
#include "engine/resources/format/ArchiveFormat.h"

class ArchiveStorage {
public:
    // `contents` is what the file holds now, `tables` its directory and file table as read.
    ArchiveStorage(ArchiveFile& file, const ArchiveContents& contents, const std::vector<u8>& tables);

    EngineErr read(u32 offset, void* buffer, u32 count) { return file_.read(offset, buffer, count); }
    // Committed bytes were moved out of the way since the tables were last committed: the
    // file then holds the manager's writes only once its tables are committed again.
    bool moved() const { return moved_; }
    EngineErr writeData(u32 offset, const void* data, u32 count);
    EngineErr writeZeros(u32 offset, u32 count);
    // Makes the directory and the table the archive's, written at `offset`, with the file
    // `length` bytes long and the archive flags `flags`.
    EngineErr commitTables(u32 offset, const ResDirectory& directory, const FileTable& table, u32 length, u16 flags);

    // Bytes to bring from the present file into a rewritten one.
    struct Move {
        u32 from;
        u32 to;
        u32 size;
    };
    // Makes the empty file beside this one that rewrite() fills. False when there is no room
    // for its name or the folder takes no new file (write-protected, full): nothing changed.
    bool beginRewrite();
    // Writes the file that beginRewrite() made, holding the moved data and the tables at
    // `offset`, `length` bytes long, then moves it over this one. A failure leaves this file
    // as it was. After success the move lasts through a power loss once syncName() succeeds;
    // the archive is the new file even when that fails.
    EngineErr rewrite(const std::vector<Move>& moves, u32 offset, const ResDirectory& directory, const FileTable& table,
                      u32 length, u16 flags);
    EngineErr syncName() { return file_.syncName(); }

private:
    u32 tablesSize() const;
    bool holdsCommitted(u32 offset, u32 count) const;
    // Copies every committed byte inside the range past the end and commits that.
    EngineErr clear(u32 offset, u32 count);
    EngineErr copyTo(ArchiveFile& target, u32 from, u32 to, u32 count);
    EngineErr commit(u32 offset, std::vector<u8> directory, FileTable table, u32 length, u16 flags);

    ArchiveFile& file_;
    std::unique_ptr<ArchiveFile> replacement_;
    ArchiveHeader header_;
    std::vector<u8> directory_;
    FileTable table_;
    u32 length_;  // of the file, tail included
    bool moved_ = false;
};
