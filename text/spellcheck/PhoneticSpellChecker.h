#pragma once
// A spelling checker over the phonetic engine for English or Spanish: the language's main
// lexicon and phonetic file (and, when present, its letter tree for typo correction) from the
// program's folder, and the user's own dictionary from the user's data folder. When the
// program's folder also holds the lexicon of the common words and those of the other words
// (a lexicon and a letter tree), the main lexicon only verifies: the common words are offered
// as suggestions first, the other words after them, and the rest (abbreviations, rare names)
// never.
#include <memory>
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"
#include "spell/SplCorrect.h"
#include "spell/SplVerify.h"
#include "text/spellcheck/SpellChecker.h"

struct SplMemManager;
struct SplPhonTable;
struct SplLexicon;
struct SplUserDict;
struct SplTrieLexicon;

constexpr int kProgramLanguageSpanish = 2;
constexpr u32 kSpellVerifyOptions = 29;

class PhoneticSpellChecker : public SpellChecker {
public:
    // Spanish (language 4) for program language 2, else English (language 1).
    static std::unique_ptr<PhoneticSpellChecker> Create(int programLanguage, std::string programFolder,
                                                        std::string userFolder);
    ~PhoneticSpellChecker() override;

    int Open() override;
    int CheckWord(const char* word) override;
    const std::vector<std::string>& GetSuggestions(const char* word) override;
    int AddWord(const char* word) override;

    int language() const { return language_; }
    // The last open or add result.
    const std::string& status() const { return status_; }
    std::string mainLexiconPath() const;
    std::string phoneticPath() const;
    std::string typoLexiconPath() const;
    std::string commonLexiconPath() const;
    std::string moreLexiconPath() const;
    std::string moreTypoLexiconPath() const;
    std::string userDictionaryPath() const;

private:
    PhoneticSpellChecker(int language, std::string programFolder, std::string userFolder);
    void OpenUserDictionary();
    // The letter tree in the file at path, its image kept in *image; null when there is none.
    std::unique_ptr<SplTrieLexicon> OpenLetterTree(const std::string& path, std::vector<u8>* image) const;
    std::string ProgramFile(const char* name) const;
    // The word in the engine's character set; false when a character has no place there.
    static bool ToEngine(const char* word, std::string* out);

    SplCorrectReq request_;
    SplVerifyRec record_;
    SplCorrCtx* ctx_ = nullptr;
    SplMemManager* mm_ = nullptr;
    SplPhonTable* phon_ = nullptr;
    SplLexicon* lex_ = nullptr;
    SplLexicon* common_ = nullptr;
    SplLexicon* more_ = nullptr;
    SplUserDict* user_ = nullptr;
    std::vector<u8> typoImage_, moreTypoImage_;
    std::unique_ptr<SplTrieLexicon> typo_, moreTypo_;
    int language_;
    std::string programFolder_, userFolder_;
    std::string status_;
    std::vector<std::string> suggestions_;
};
