#include "engine/util/IniWriteStringEnsurePath.h"

#include "engine/base/TextUtils.h"

#include "engine/files/OsFiles.h"
#include "engine/ini/IniProfiles.h"

namespace {

constexpr u16 kBoolTextSize = 128;

bool missingProfileOrSection(EngineErr error) {
    return error == kIniErrNoFile || error == kOsErrNotFound || error == kIniErrNotFound;
}

}  // namespace

EngineErr IniWriteStringEnsurePath(const Path* path, const char* section, const char* key, const char* text) {
    const EngineErr error = iniWriteString(path, section, key, text);
    if (!missingProfileOrSection(error)) return error;
    if (!section || !key || !text) return kErrNone;
    if (!path || !path->record) return error;
    if (const EngineErr created = osCreatePath(path, kOsKindFile); created && created != kOsErrExists) return created;
    return iniWriteString(path, section, key, text);
}

i16 IniReadBoolText(const Path* path, const char* section, const char* key) {
    char text[kBoolTextSize];
    if (iniGetString(path, section, key, text, kBoolTextSize, "") != kErrNone) return -1;
    return strCompareNoCase(text, "TRUE") == 0 ? 1 : 0;
}

EngineErr IniWriteBoolText(const Path* path, const char* section, const char* key, u16 flag) {
    return iniWriteString(path, section, key, flag ? "TRUE" : "FALSE");
}
