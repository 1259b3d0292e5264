#include "framework/language/LanguageTexts.h"

#include "engine/base/TextUtils.h"

#include "engine/ini/IniProfiles.h"

namespace {

constexpr const char* kNeutralSections[] = {
    kSectionUserSettings,      kSectionTOC,          kSectionLanguageFiles,  kSectionGeneralSettings,
    kSectionFileExtensions,    kSectionSmallKidsAlphabet, kSectionLoginAlphabet, kSectionAcrobatReader,
    kSectionDebugSettings,     kSectionCanvasSettings, kSectionPageObjectLimits,
};

constexpr u8 kEscapeO = 248;

struct LanguageState {
    Path setupPath{};
    Path englishPath{};
    Path spanishPath{};
    u16 current = kLanguageEnglish;
};

LanguageState& state() {
    static LanguageState s;
    return s;
}

// The folder joined with the file name stored under `key` of "LanguageFiles".
void joinStoredName(Path* out, const Path* folder, const Path* setup, const char* key) {
    char name[kLanguageTextSize];
    if (iniGetString(setup, kSectionLanguageFiles, key, name, sizeof name, "") != kErrNone) name[0] = 0;
    pathRelease(out);
    if (name[0])
        pathJoin(out, folder, name);
    else
        pathInitCopy(out, folder);
}

}  // namespace

u16 CurrentLanguage() {
    return state().current;
}

void SetCurrentLanguage(u16 language) {
    state().current = language;
}

void SetupLanguageFolders(const char* setupFileName) {
    Path folder{};
    pathGetModuleDirectory(&folder);
    SetupLanguageFolders(&folder, setupFileName);
    pathRelease(&folder);
}

void SetupLanguageFolders(const Path* programFolder, const char* setupFileName) {
    LanguageState& s = state();
    pathRelease(&s.setupPath);
    pathJoin(&s.setupPath, programFolder, setupFileName);
    joinStoredName(&s.englishPath, programFolder, &s.setupPath, "English");
    joinStoredName(&s.spanishPath, programFolder, &s.setupPath, "Spanish");
}

bool IsLanguageNeutralSection(const char* section) {
    if (!section) return false;
    for (const char* neutral : kNeutralSections) {
        if (strCompareNoCase(section, neutral) == 0) return true;
    }
    return false;
}

RcString LookupLanguageText(const char* section, const char* key) {
    return LookupLanguageText(section, key, state().current);
}

RcString LookupLanguageText(const char* section, const char* key, u16 language) {
    const LanguageState& s = state();
    const Path* file = IsLanguageNeutralSection(section) ? &s.setupPath
                       : language == kLanguageSpanish    ? &s.spanishPath
                                                         : &s.englishPath;
    if (!file->record) return RcString();
    return OpenTextFile(file).ReadText(section, key);
}

std::string ApplyTextEscapes(const char* raw) {
    std::string text;
    for (size_t i = 0; raw[i] && i < kLanguageTextSize; ++i) {
        if (raw[i] == '\\' && raw[i + 1] == 'n') {
            text.push_back('\n');
            ++i;
        } else if (raw[i] == '\\' && raw[i + 1] == 'o') {
            text.push_back(char(kEscapeO));
            ++i;
        } else {
            text.push_back(raw[i]);
        }
    }
    return text;
}

OpenTextFile::OpenTextFile(const Path* path) {
    pathInitCopy(&path_, path);
}

OpenTextFile::OpenTextFile(OpenTextFile&& other) noexcept : path_(other.path_) {
    other.path_.record = nullptr;
}

OpenTextFile::~OpenTextFile() {
    pathRelease(&path_);
}

RcString OpenTextFile::ReadText(const char* section, const char* key) const {
    if (!path_.record) return RcString();
    char raw[kLanguageTextSize];
    // A value longer than the buffer counts with what fits.
    const EngineErr error = iniGetString(&path_, section, key, raw, kLanguageTextSize, "");
    if (error != kErrNone && error != kIniErrTooLong) return RcString();
    return RcString(ApplyTextEscapes(raw).c_str());
}

OpenTextFile OpenProgramTextFile(const char* name) {
    Path folder{};
    Path file{};
    pathGetModuleDirectory(&folder);
    pathJoin(&file, &folder, name);
    pathRelease(&folder);
    OpenTextFile reader(&file);
    pathRelease(&file);
    return reader;
}
