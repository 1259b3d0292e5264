#pragma once
// Files and folders named by the engine's texts: cp1252 bytes of the form "C:\folder\name",
// with the drive letter resolved through platform/drives and the name stored as UTF-8 on
// disk. The engine's texts ignore case, as do the names in its content and settings, while
// Linux folders do not: where a component is not found as written, a case-insensitive match
// in the same folder is used. Every call answers a system error number
// (platform/drives/SystemErrors.h), kSysOk on success.
//
// Share modes are emulated inside the process: an open is refused with a sharing violation
// when it asks for access that an earlier open does not share, or shares less than an
// earlier open uses. Folders are created for the user alone (0700), files readable by others
// and written by the user alone (0644, narrowed by the umask).
//
// Any thread may call these functions; blocking calls are meant to run on the engine's worker.
#include <cstdint>
#include <string>

#include "platform/drives/SystemErrors.h"

namespace plat {

constexpr uint32_t kFileAccessRead = 0x1;
constexpr uint32_t kFileAccessWrite = 0x2;
constexpr uint32_t kFileShareRead = 0x1;
constexpr uint32_t kFileShareWrite = 0x2;

enum class FileDisposition { OpenExisting, OpenAlways, CreateNew };
enum class SeekOrigin { Start, Current, End };

constexpr uint32_t kFileAttrReadOnly = 0x01;
constexpr uint32_t kFileAttrHidden = 0x02;
constexpr uint32_t kFileAttrDirectory = 0x10;
constexpr uint32_t kFileAttrArchive = 0x20;
// Neither a folder nor a regular file: a pipe, a socket or a device, which fileOpen refuses.
constexpr uint32_t kFileAttrDevice = 0x40;
constexpr uint32_t kFileAttrNormal = 0x80;
// A host link: a folder reached through one may lie above itself.
constexpr uint32_t kFileAttrReparsePoint = 0x400;

using FileHandle = int32_t;
constexpr FileHandle kNoFile = -1;

SysErr fileOpen(const std::string& text, uint32_t access, uint32_t share, FileDisposition disposition,
                FileHandle* file);
SysErr fileClose(FileHandle file);
// A read or write that fails moves nothing (done 0, the position where it was), so it may be
// run again.
SysErr fileRead(FileHandle file, void* buffer, uint32_t count, uint32_t* done);
SysErr fileWrite(FileHandle file, const void* data, uint32_t count, uint32_t* done);
// Reads at `offset` without using or moving the file's position. CachedOnly reads only what
// the system holds in memory, never waiting for the device: `done` stops short where the
// device would have to be asked (or at the end), and a failure of the read itself is a short
// read too, for the caller to finish with a read that waits. The drive's faults are reported
// either way.
enum class ReadWait { ForDevice, CachedOnly };
SysErr fileReadAt(FileHandle file, uint64_t offset, void* buffer, uint32_t count, ReadWait wait, uint32_t* done);
SysErr fileSeek(FileHandle file, int64_t offset, SeekOrigin origin, uint64_t* position);
// Cuts or extends the file to the current position.
SysErr fileSetEnd(FileHandle file);

SysErr fileDelete(const std::string& text);
SysErr folderCreate(const std::string& text);
SysErr folderRemove(const std::string& text);
// As fileDelete and folderRemove for an entry below the folder `top`: no link from `top`
// (itself included) down to the entry is followed, so a folder swapped for a link while a tree
// is taken apart never leads out of the tree. Such a link answers kSysAccessDenied.
SysErr fileDeleteInTree(const std::string& top, const std::string& text);
SysErr folderRemoveInTree(const std::string& top, const std::string& text);
SysErr fileGetAttributes(const std::string& text, uint32_t* attributes);
SysErr fileSetAttributes(const std::string& text, uint32_t attributes);
// Fails with kSysAlreadyExists rather than replace an existing entry.
SysErr fileRenameNoReplace(const std::string& from, const std::string& to);
// Copies a file's bytes and permissions into a new file, which is on the disk when the call
// answers success. An existing target is refused with kSysFileExists; a copy that fails part
// way is removed. Only plain files are copied: anything else is refused with kSysAccessDenied.
SysErr fileCopyNew(const std::string& from, const std::string& to);
// Moves a file over another in one step: the target holds either its old or its new bytes.
SysErr fileReplace(const std::string& from, const std::string& to);
// As fileReplace, over a target that `file` holds open: afterwards `file` reads and writes
// the moved file. Another open of the target refuses it, as fileReplace does.
SysErr fileReplaceOpen(FileHandle file, const std::string& from, const std::string& to);

// Returns once what was written to the file is on the disk, so that a power loss keeps it.
SysErr fileFlush(FileHandle file);
// The same for the folder that holds the entry `text`: its new, moved and removed names.
SysErr folderFlushOf(const std::string& text);

struct FindData {
    std::string name;  // cp1252
    uint32_t attributes = 0;
    uint64_t size = 0;
};
using FindHandle = int32_t;
constexpr FindHandle kNoFind = -1;

// The pattern is a folder text followed by a last component that may hold '*' and '?';
// "*.*" matches every name. A folder lists "." and ".." first. No match answers
// kSysFileNotFound, a missing folder kSysPathNotFound; the end answers kSysNoMoreFiles.
SysErr findFirst(const std::string& pattern, FindData* data, FindHandle* find);
SysErr findNext(FindHandle find, FindData* data);
void findClose(FindHandle find);

// Texts of the program's, the temporary and the current folder, without a final '\'
// except for a drive root.
std::string programFolderText();
// The text of the program's own executable file.
std::string programFileText();
std::string tempFolderText();
std::string currentFolderText();
SysErr setCurrentFolder(const std::string& text);

// The engine text of a host path, or empty when no drive holds it. Characters without a cp1252
// form become "?"; the case-insensitive lookup still finds such a name.
std::string textOfHostPath(const std::string& hostPath);
// The host path of an engine text, components matched without regard to case; empty when no
// drive holds it.
std::string hostPathOfText(const std::string& text);

}  // namespace plat
