#include "document/library/RLibraryMgr.h"

#include "document/users/CollectFolderFiles.h"
#include "document/library/RLibrary.h"
#include "document/users/EnginePath.h"
#include "engine/base/TextUtils.h"

namespace Ostrel {

namespace {

bool isLibraryFile(const std::string& name) {
    const size_t extension = std::char_traits<char>::length(kLibraryExtension);
    return name.size() > extension && strCompareNoCase(name.c_str() + name.size() - extension, kLibraryExtension) == 0;
}

std::vector<std::string> librariesIn(const std::string& folder) {
    std::vector<std::string> names;
    if (folder.empty()) return names;
    EnginePath path(folder);
    if (path.empty()) return names;
    for (std::string& name : CollectFolderFiles(path.get()))
        if (isLibraryFile(name)) names.push_back(std::move(name));
    return names;
}

}  // namespace

std::string RLibraryMgr::FolderOf(FourCC type, u16 kind) const {
    if (kind == kLibraryOnDisk) return paths_.GetLibraryFolderPath(type);
    if (kind == kLibraryOfUser) return paths_.GetUserMediaDir(type);
    return {};
}

u16 RLibraryMgr::NextLibraryItem(Iteration* state, FourCC type, std::string* fileName, u16* kind) const {
    for (;;) {
        if (state->kind != 0 && state->next < state->names.size()) {
            *fileName = state->names[state->next++];
            *kind = state->kind;
            return 1;
        }
        if (state->kind == kLibraryOfUser) return 0;
        state->kind = state->kind == 0 ? kLibraryOnDisk : kLibraryOfUser;
        state->names = librariesIn(FolderOf(type, state->kind));
        state->next = 0;
    }
}

u16 RLibraryMgr::GetLibraryLocationKind(const std::string& libraryPath) const {
    const std::string users = paths_.BuildPath(kFolderUsers, true);
    const bool under = !users.empty() && libraryPath.size() > users.size() &&
                       strCompareNoCase(libraryPath.substr(0, users.size()).c_str(), users.c_str()) == 0;
    return under ? kLibraryOfUser : kLibraryOnDisk;
}

}  // namespace Ostrel
