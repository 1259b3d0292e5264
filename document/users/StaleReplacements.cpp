#include "document/users/StaleReplacements.h"

#include <cstring>

#include "document/users/EnginePath.h"
#include "document/users/FolderListing.h"
#include "engine/files/OsFiles.h"
#include "platform/media/movie/MovieWritingLeftover.h"

namespace Ostrel {

namespace {

bool isReplacement(const std::string& name) {
    const size_t suffix = std::strlen(kOsReplacementSuffix);
    const bool saved = name.size() > suffix && name.compare(name.size() - suffix, suffix, kOsReplacementSuffix) == 0;
    return saved || plat::media::isMovieWritingLeftover(name);
}

// The files and folders in `folder`; the current folder is the same afterwards.
void list(const Path* folder, FolderListing* files, FolderListing* folders) {
    Path previous;
    pathGetCurrentDirectory(&previous);
    if (pathSetCurrentDirectory(folder) == kErrNone) {
        osEnumFiles(&AppendFoundName, files);
        osEnumFolders(&AppendFoundName, folders);
        if (previous.record) pathSetCurrentDirectory(&previous);
    }
    pathRelease(&previous);
}

}  // namespace

void RemoveStaleReplacements(const std::string& folder, int depth) {
    EnginePath path(folder);
    if (path.empty() || depth < 0) return;
    FolderListing files, folders;
    list(path.get(), &files, &folders);
    for (const std::string& name : files.names) {
        if (!isReplacement(name)) continue;
        EnginePath stale(folder + "\\" + name);
        if (!stale.empty()) osDeletePath(stale.get());
    }
    for (const std::string& name : folders.names)
        if (name != "." && name != "..") RemoveStaleReplacements(folder + "\\" + name, depth - 1);
}

}  // namespace Ostrel
