#pragma once
// Whole folder trees: creating a folder with the folders above it, deleting, walking, copying
// and comparing a tree. Every entry made here is the desktop user's, in whose data folder the
// children's work lies: folders for that user alone, files that others may only read (the
// file services create them so).
//
// None of these changes the process's current folder, and none follows a host link: a link
// met inside a tree is an entry of its own (deleted as a link, skipped by copies), so nothing
// outside the tree is ever touched through one. A tree half deleted or half copied by a
// failure is left as it is. User-interface thread (engine threads included).
#include "engine/base/EngineTypes.h"
#include "engine/files/OsFiles.h"

// `flags` as for osCreatePath (kOsKind* bits). With or without `openAccess` the entry is made
// as the file services make every entry: writable by the desktop user alone.
EngineErr CreatePathOpenAccess(const Path* path, u16 openAccess, u16 flags);
// Creates the missing folders above `path`, then `path` itself (kOsErrExists when it is there).
EngineErr CreateFolderTree(const Path* path, u16 openAccess, u16 flags);
EngineErr DeleteFolderTree(const Path* path);

// (entry, context) → non-zero stops the walk.
using FolderTreeCallback = u16 (*)(const Path* path, void* context);
// Calls `callback` for `path` and, for a folder, for every entry below it. A folder's entries
// come in listing order, each sub-folder walked as it is met; with `filesFirst` a folder's
// files come before its sub-folders. The answer that stopped the walk goes to `outResult`
// (0 when it ran to its end).
EngineErr EnumFolderTree(const Path* path, FolderTreeCallback callback, void* context, u16 filesFirst,
                         u16* outResult);

// Copies a file, or a folder with everything below it, to `destination`, which must not exist.
// Links below the source are skipped; a source that is itself a link is refused (kOsErrWrongKind).
EngineErr CopyFolderTree(const Path* source, const Path* destination);
// 0 when `copy` holds every file and folder of `source` with the same bytes; kOsErrDifferent
// when something differs or is missing.
EngineErr CompareFolderTrees(const Path* source, const Path* copy);
