#include "document/users/RUserFile.h"

#include "document/users/EnginePath.h"
#include "document/users/UserNames.h"
#include "engine/files/OsFiles.h"

namespace Ostrel {

EngineErr RUserFile::Serialize(Path* file) const {
    pathInitEmpty(file);
    if (paths_.UserName().empty()) return kDocErrNoUser;
    const std::string text = paths_.BuildPath(kFolderUser, true) + kUserSettingsFileName;
    pathFromText(file, text.c_str());
    // The folder is made when the user is chosen; one that is gone (a removed user) is not
    // made again by a save.
    if (!file->record) return kDocErrNoFolder;
    EnginePath folder(paths_.BuildPath(kFolderUser, false));
    return !folder.empty() && pathCheckExists(folder.get()) == kErrNone ? kErrNone : kDocErrNoFolder;
}

EngineErr RUserFile::Load() {
    Path file;
    EngineErr err = Serialize(&file);
    if (!err) err = LoadFrom(&file);
    pathRelease(&file);
    return err;
}

EngineErr RUserFile::Save() {
    Path file;
    EngineErr err = Serialize(&file);
    if (!err) err = SaveTo(&file);
    pathRelease(&file);
    return err;
}

}  // namespace Ostrel
