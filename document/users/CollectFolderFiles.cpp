#include "document/users/CollectFolderFiles.h"

#include <algorithm>

#include "engine/files/OsFiles.h"

namespace Ostrel {

std::vector<std::string> CollectFolderFiles(const Path* folder) {
    std::vector<std::string> names;
    Path previous;
    pathGetCurrentDirectory(&previous);
    if (pathSetCurrentDirectory(folder) == kErrNone) {
        osEnumFiles(
            [](const char* name, void* context) {
                static_cast<std::vector<std::string>*>(context)->emplace_back(name);
                return u16(0);
            },
            &names);
        if (previous.record) pathSetCurrentDirectory(&previous);
    }
    pathRelease(&previous);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace Ostrel
