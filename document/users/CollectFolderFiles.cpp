#include "document/users/CollectFolderFiles.h"

#include <algorithm>

#include "document/users/FolderListing.h"
#include "engine/files/OsFiles.h"

namespace Ostrel {

std::vector<std::string> CollectFolderFiles(const Path* folder) {
    FolderListing listing;
    Path previous;
    pathGetCurrentDirectory(&previous);
    if (pathSetCurrentDirectory(folder) == kErrNone) {
        osEnumFiles(&AppendFoundName, &listing);
        if (previous.record) pathSetCurrentDirectory(&previous);
    }
    pathRelease(&previous);
    std::sort(listing.names.begin(), listing.names.end());
    return std::move(listing.names);
}

}  // namespace Ostrel
