#include "document/users/RUserFile.h"

#include "document/users/UserNames.h"

namespace Ostrel {

EngineErr RUserFile::Serialize(Path* file) const {
    pathInitEmpty(file);
    if (paths_.UserName().empty()) return kDocErrNoUser;
    const std::string text = paths_.BuildPath(kFolderUser, true) + kUserSettingsFileName;
    pathFromText(file, text.c_str());
    return file->record ? kErrNone : kDocErrNoFolder;
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
