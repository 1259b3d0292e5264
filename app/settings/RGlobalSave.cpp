#include "app/settings/RGlobalSave.h"

#include <cstring>
#include <vector>

#include "engine/ini/IniProfiles.h"
#include "engine/util/IniReplaceOnce.h"
#include "engine/util/IniWriteStringEnsurePath.h"
#include "app/settings/AlphabetText.h"
#include "app/settings/DamagedUserFile.h"

namespace Ostrel {

namespace {

struct FlagKey {
    const char* key;
    u16 GlobalUserSettings::*field;
    u16 fallback;
};

// In the order they are read and written.
constexpr FlagKey kFlags[] = {
    {"TTS", &GlobalUserSettings::textToSpeech, 1},
    {"SmallKids", &GlobalUserSettings::smallKids, 0},
    {"ToolSnds", &GlobalUserSettings::toolSounds, 1},
    {"AttachedSnds", &GlobalUserSettings::attachedSounds, 1},
    {"PlayOnce", &GlobalUserSettings::playOnce, 1},
    {"ManualAdvance", &GlobalUserSettings::manualAdvance, 0},
    {"ProjectPosition", &GlobalUserSettings::projectPosition, 0},
};

struct TextKey {
    const char* key;
    std::array<char, kGlobalUserTextSize> GlobalUserSettings::*field;
    // Null: the alphabet's line in the program's language.
    const char* fallback;
};

constexpr TextKey kTexts[] = {
    {"ABCString", &GlobalUserSettings::alphabetText, nullptr},
    {"ProjectString", &GlobalUserSettings::projectTitle, "TB"},
};

}  // namespace

EngineErr RGlobalSave::LoadFrom(const Path* file) {
    if (!settings_) return kErrNone;
    // A file that no longer reads as a profile gives the defaults and says so.
    std::vector<char> value(kIniMaxFileSize + 1);
    const EngineErr readable = iniGetString(file, nullptr, nullptr, value.data(), u16(value.size() - 1), "");
    for (const FlagKey& flag : kFlags) {
        const i16 read = IniReadBoolText(file, kGlobalUserSection, flag.key);
        settings_->*flag.field = read < 0 ? flag.fallback : u16(read);
    }
    // A value longer than its field is cut to it rather than refused: the whole value is read
    // first (no value outlasts the profile), then copied as far as the field holds.
    for (const TextKey& text : kTexts) {
        auto& field = settings_->*text.field;
        const std::string fallback = text.fallback ? text.fallback : ABCTextDefault();
        iniGetString(file, kGlobalUserSection, text.key, value.data(), u16(value.size() - 1), fallback.c_str());
        value.back() = '\0';
        std::strncpy(field.data(), value.data(), field.size() - 1);
        field.back() = '\0';
    }
    return IsDamagedProfileError(readable) ? readable : kErrNone;
}

EngineErr RGlobalSave::SaveTo(const Path* file) {
    if (!settings_) return kErrNone;
    // One replacement for the whole section, so that a kill leaves the old settings or the new.
    return IniReplaceOnce(file, [this, file] {
        for (const FlagKey& flag : kFlags) {
            const char* text = settings_->*flag.field ? "TRUE" : "FALSE";
            if (EngineErr err = iniWriteString(file, kGlobalUserSection, flag.key, text)) return err;
        }
        for (const TextKey& text : kTexts) {
            const auto& buffer = settings_->*text.field;
            if (EngineErr err = iniWriteString(file, kGlobalUserSection, text.key, buffer.data())) return err;
        }
        return kErrNone;
    });
}

}  // namespace Ostrel
