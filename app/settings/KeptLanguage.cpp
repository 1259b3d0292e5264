#include "app/settings/KeptLanguage.h"

#include "document/users/EnginePath.h"
#include "document/users/Paths.h"
#include "engine/ini/IniProfiles.h"
#include "engine/util/IniWriteStringEnsurePath.h"
#include "framework/language/LanguageTexts.h"

namespace Ostrel {

namespace {

constexpr const char* kLanguageKey = "Language";

}  // namespace

u16 ReadKeptLanguage(const Paths& paths) {
    // A teacher who wrote a word there by hand, or a number out of range, is read as unset:
    // the installed file's answer stands.
    for (const std::string& file : {paths.SettingsFile(), paths.InstalledSettingsFile()}) {
        const EnginePath path(file);
        i32 value = 0;
        if (!path.empty() &&
            iniGetLong(path.get(), kSectionGeneralSettings, kLanguageKey, &value, kLanguageEnglish, kLanguageSpanish) ==
                kErrNone)
            return u16(value);
    }
    return kLanguageEnglish;
}

EngineErr KeepLanguage(const Paths& paths, u16 language) {
    const EnginePath path(paths.SettingsFile());
    return IniWriteStringEnsurePath(path.get(), kSectionGeneralSettings, kLanguageKey,
                                    language == kLanguageSpanish ? "1" : "0");
}

}  // namespace Ostrel
