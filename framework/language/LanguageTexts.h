#pragma once
// Every text the program shows is looked up by section and key in the text file of the
// current language, English or Spanish, switchable at any time: the next lookup reads the
// other file. Eleven sections hold settings rather than words and are read from the language
// set-up file "TB.ini" in the program folder whatever the language; they are recognised by
// name. The set-up file names the two text files in its section "LanguageFiles".
//
// Lookups never fail and never write: a missing file, section or key gives an empty text,
// so a program installed read-only, or without one of its languages, keeps running. Stored
// values may hold "\n" (a line feed) and "\o" (the byte 248); at most 1023 bytes of a value
// count. Nothing is cached: the INI module keeps the profiles loaded. One thread.
#include <string>

#include "engine/base/EngineTypes.h"
#include "engine/base/RcString.h"
#include "engine/files/Paths.h"

constexpr u16 kLanguageEnglish = 0;
constexpr u16 kLanguageSpanish = 1;
constexpr u16 kLanguageTextSize = 1024;

constexpr const char* kLanguageSetupFile = "TB.ini";

constexpr const char* kSectionUserSettings = "UserSettings";
constexpr const char* kSectionTOC = "TOC";
constexpr const char* kSectionLanguageFiles = "LanguageFiles";
constexpr const char* kSectionGeneralSettings = "GeneralSettings";
constexpr const char* kSectionFileExtensions = "FileExtensions";
constexpr const char* kSectionSmallKidsAlphabet = "SmallKidsAlphabet";
constexpr const char* kSectionLoginAlphabet = "LoginAlphabet";
constexpr const char* kSectionAcrobatReader = "AcrobatReader";
constexpr const char* kSectionDebugSettings = "DebugSettings";
constexpr const char* kSectionCanvasSettings = "CanvasSettings";
constexpr const char* kSectionPageObjectLimits = "PageObjectLimits";

// Any value other than kLanguageSpanish means English.
u16 CurrentLanguage();
void SetCurrentLanguage(u16 language);

// Reads the names of the text files from the set-up file in the program folder.
void SetupLanguageFolders(const char* setupFileName);
// The same over another folder standing for the program folder.
void SetupLanguageFolders(const Path* programFolder, const char* setupFileName);

bool IsLanguageNeutralSection(const char* section);
RcString LookupLanguageText(const char* section, const char* key);
// The text of another language than the current one, for what was named while it was in use.
RcString LookupLanguageText(const char* section, const char* key, u16 language);

// "\n" gives a line feed and "\o" the byte 248; any other backslash stays as it is.
std::string ApplyTextEscapes(const char* raw);

// A reader of one text file. A file that is not there reads as empty.
class OpenTextFile {
public:
    explicit OpenTextFile(const Path* path);
    ~OpenTextFile();
    OpenTextFile(OpenTextFile&& other) noexcept;
    OpenTextFile(const OpenTextFile&) = delete;
    OpenTextFile& operator=(const OpenTextFile&) = delete;

    RcString ReadText(const char* section, const char* key) const;

private:
    Path path_{};
};

// The reader of a file in the program folder.
OpenTextFile OpenProgramTextFile(const char* name);
