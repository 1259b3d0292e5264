#include "app/settings/DamagedUserFile.h"

#include <string>

#include "app/settings/RGlobalSave.h"
#include "document/users/EnginePath.h"
#include "engine/files/OsFiles.h"
#include "engine/files/OsServices.h"
#include "engine/ini/IniProfiles.h"

namespace Ostrel {

bool IsDamagedProfileError(EngineErr err) { return err == kIniErrNotText || err == kIniErrTooLong; }

EngineErr RenewDamagedUserFile(const Paths& paths, GlobalUserSettings* settings) {
    RGlobalSave save(paths, settings);
    EnginePath file;
    if (EngineErr err = save.Serialize(file.get())) return err;
    char text[kSystemTextSize] = {};
    if (EngineErr err = pathGetFullText(file.get(), text)) return err;
    EnginePath aside(std::string(text) + kDamagedFileSuffix);
    if (aside.empty()) return kOsErrBadPath;
    if (EngineErr err = osReplacePath(file.get(), aside.get())) return err;
    // The profile of the damaged file was never loaded: the save starts from no file.
    return save.Save();
}

}  // namespace Ostrel
