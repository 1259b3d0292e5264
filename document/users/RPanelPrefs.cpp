#include "document/users/RPanelPrefs.h"

#include "engine/util/IniWriteStringEnsurePath.h"
#include "engine/ini/IniSection.h"

namespace Ostrel {

// A user without the file or the section yet has nothing remembered: not an error.
EngineErr RPanelPrefs::LoadFrom(const Path* file) {
    data_.clear();
    for (auto& [key, value] : iniReadSection(file, section_.c_str())) data_[key] = value;
    return kErrNone;
}

EngineErr RPanelPrefs::SaveTo(const Path* file) {
    for (const auto& [key, value] : data_)
        if (EngineErr err = IniWriteStringEnsurePath(file, section_.c_str(), key.c_str(), value.c_str())) return err;
    return kErrNone;
}

}  // namespace Ostrel
