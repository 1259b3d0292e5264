#include "document/users/DeleteUserFolders.h"

#include "document/users/CollectFolderFiles.h"
#include "document/users/EnginePath.h"
#include "document/users/UserNames.h"
#include "engine/base/TextUtils.h"
#include "engine/files/OsFiles.h"

namespace Ostrel {

namespace {

EngineErr deleteFolder(const std::string& text) {
    EnginePath folder(text);
    if (folder.empty()) return kDocErrNoFolder;
    if (pathCheckExists(folder.get()) != kErrNone) return kErrNone;
    for (const std::string& name : CollectFolderFiles(folder.get())) {
        Path file;
        pathJoin(&file, folder.get(), name.c_str());
        const EngineErr err = file.record ? osDeletePath(&file) : kDocErrNoFolder;
        pathRelease(&file);
        if (err) return err;
    }
    return osDeletePath(folder.get());
}

}  // namespace

namespace {

EngineErr deleteFoldersOfCurrentUser(Paths& paths) {
    // Inner folders first: a folder goes only once it is empty.
    for (u16 folder = kFolderLibAnimations; folder >= kFolderLibPictures; --folder)
        if (EngineErr err = deleteFolder(paths.BuildPath(folder, false))) return err;
    const std::string library = paths.BuildPath(kFolderUser, true) + "Library";
    for (const std::string& text : {library, paths.BuildPath(kFolderProjects, false), paths.BuildPath(kFolderPictures, false),
                                    paths.BuildPath(kFolderUser, false)})
        if (EngineErr err = deleteFolder(text)) return err;
    return kErrNone;
}

}  // namespace

EngineErr DeleteUserFolders(Paths& paths, const std::string& name) {
    if (name.empty()) return 1;
    const std::string previous = paths.UserName();
    if (EngineErr err = paths.SelectUserFolder(name)) return err;
    const EngineErr err = deleteFoldersOfCurrentUser(paths);
    // A removed user must not stay current: the next settings save would make the folder again.
    // Folders are found whatever the letter case, so "ANN" removed the current user "Ann" too.
    const bool removedCurrent =
        previous.size() == name.size() && strCompareNoCase(previous.c_str(), name.c_str()) == 0;
    if (previous.empty() || removedCurrent || paths.SelectUserFolder(previous) != kErrNone) paths.ForgetUser();
    return err;
}

}  // namespace Ostrel
