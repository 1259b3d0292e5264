#include "text/spellcheck/PhoneticSpellChecker.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "spell/SplCodePage.h"
#include "spell/SplLexicon.h"
#include "spell/SplMemManager.h"
#include "spell/SplPhonTable.h"
#include "spell/SplTrieLexicon.h"
#include "spell/SplUserDict.h"

namespace fs = std::filesystem;

namespace {

const char* prefix(int language) { return language == kSplLangSpanish ? "es" : "en"; }

std::string join(const std::string& folder, const std::string& name) { return (fs::path(folder) / name).string(); }

}  // namespace

std::unique_ptr<PhoneticSpellChecker> PhoneticSpellChecker::Create(int programLanguage, std::string programFolder,
                                                                   std::string userFolder) {
    int language = programLanguage == kProgramLanguageSpanish ? kSplLangSpanish : kSplLangEnglish;
    return std::unique_ptr<PhoneticSpellChecker>(
        new PhoneticSpellChecker(language, std::move(programFolder), std::move(userFolder)));
}

PhoneticSpellChecker::PhoneticSpellChecker(int language, std::string programFolder, std::string userFolder)
    : language_(language), programFolder_(std::move(programFolder)), userFolder_(std::move(userFolder)) {}

PhoneticSpellChecker::~PhoneticSpellChecker() {
    splCorrCtxFree(ctx_);
    splUserDictClose(user_);
    splLexClose(more_);
    splLexClose(common_);
    splLexClose(lex_);
    splPhonClose(phon_);
    splMemClose(mm_);
}

std::string PhoneticSpellChecker::ProgramFile(const char* name) const {
    return join(programFolder_, std::string(prefix(language_)) + name);
}
std::string PhoneticSpellChecker::mainLexiconPath() const { return ProgramFile("_main.lex"); }
std::string PhoneticSpellChecker::phoneticPath() const { return ProgramFile("_phon.env"); }
std::string PhoneticSpellChecker::typoLexiconPath() const { return ProgramFile("_typo.lex"); }
std::string PhoneticSpellChecker::commonLexiconPath() const { return ProgramFile("_common.lex"); }
std::string PhoneticSpellChecker::moreLexiconPath() const { return ProgramFile("_more.lex"); }
std::string PhoneticSpellChecker::moreTypoLexiconPath() const { return ProgramFile("_more_typo.lex"); }
std::string PhoneticSpellChecker::userDictionaryPath() const {
    return join(userFolder_, std::string(prefix(language_)) + "_user.dct");
}

// What an earlier, failed call opened is kept and not opened again.
int PhoneticSpellChecker::Open() {
    if (ctx_ != nullptr) return 1;
    if (mm_ == nullptr) {
        mm_ = splMemOpen(2, 8);
        if (mm_ == nullptr) return 0;
        int failed = 0;
        splMemPurge(mm_, 5, &failed);
    }
    u32 error = 0;
    if (phon_ == nullptr) phon_ = splPhonOpen(phoneticPath().c_str(), 0, &error);
    if (phon_ == nullptr) return 0;
    if (lex_ == nullptr) {
        u8 header[kLexTextHeaderSize];
        if (splLexCheckHeader(mainLexiconPath().c_str(), 0, header, &error) == 0) return 0;
        lex_ = splLexOpen(mainLexiconPath().c_str(), 0, mm_, phon_, &error);
        if (lex_ == nullptr) return 0;
        status_ = "s lex opened\n";
        // The lexicons of the words offered are there when the build sorted the language's
        // words; without them the main lexicon offers all its words.
        common_ = splLexOpen(commonLexiconPath().c_str(), 0, mm_, phon_, &error);
        if (common_ != nullptr) more_ = splLexOpen(moreLexiconPath().c_str(), 0, mm_, phon_, &error);
        OpenUserDictionary();
        typo_ = OpenLetterTree(typoLexiconPath(), &typoImage_);
        if (common_ != nullptr) moreTypo_ = OpenLetterTree(moreTypoLexiconPath(), &moreTypoImage_);
    }
    ctx_ = splCorrCtxCreate(6);
    if (ctx_ == nullptr) return 0;
    u32 verifying = kSlotVerify | kSlotVerifyFolded | kSlotCompound;
    splCorrCtxAddLexicon(lex_, 0, common_ != nullptr ? verifying : 31, ctx_);
    if (user_ != nullptr) splCorrCtxAddLexicon(user_, 0, 31, ctx_);
    if (common_ != nullptr) splCorrCtxAddLexicon(common_, 0, kSlotCandidates, ctx_);
    if (more_ != nullptr) splCorrCtxAddLexicon(more_, 0, kSlotCandidates | kSlotSecondary, ctx_);
    // The letter trees offer typo candidates only: a tree's proximity walk (the slot's other
    // candidates) puts sound-alike words with the typed word's codes above the common-letter
    // ranking and costs twice the time, for fewer right first suggestions.
    if (typo_ != nullptr) splCorrCtxAddLexicon(typo_.get(), 0, kSlotTypo, ctx_);
    if (moreTypo_ != nullptr) splCorrCtxAddLexicon(moreTypo_.get(), 0, kSlotTypo | kSlotSecondary, ctx_);
    return 1;
}

// The dictionary is made only when there is none. A damaged one is put aside under another
// name before a new one is made; one that cannot be opened for another reason (another
// language, no permission) is left as it is, and words cannot be added this time.
void PhoneticSpellChecker::OpenUserDictionary() {
    const std::string path = userDictionaryPath();
    u32 error = 0;
    user_ = splUserDictOpen(path.c_str(), kUdModeOpen, phon_, &error);
    if (user_ != nullptr) return;
    std::error_code ec;
    bool present = fs::exists(path, ec);
    if (present && (error == kSplErrRead || error == kSplErrVersion)) {
        std::string aside = path + ".damaged";
        for (int n = 1; fs::exists(aside, ec); ++n) aside = path + ".damaged" + std::to_string(n);
        fs::rename(path, aside, ec);
        if (ec) return;
        present = false;
    }
    if (present || ec) return;
    fs::create_directories(userFolder_, ec);
    user_ = splUserDictOpen(path.c_str(), kUdModeCreate, phon_, &error);
}

std::unique_ptr<SplTrieLexicon> PhoneticSpellChecker::OpenLetterTree(const std::string& path,
                                                                     std::vector<u8>* image) const {
    std::ifstream in(path, std::ios::binary);
    if (!in) return nullptr;
    image->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    auto lex = std::make_unique<SplTrieLexicon>();
    if (in.bad() || !splTrieInit(lex.get(), language_, image->data(), u32(image->size()))) return nullptr;
    return lex;
}

bool PhoneticSpellChecker::ToEngine(const char* word, std::string* out) {
    out->clear();
    for (const char* p = word; *p != 0; ++p) {
        u8 c = splFromCp1252(u8(*p));
        if (c == 0) return false;
        out->push_back(char(c));
    }
    return true;
}

int PhoneticSpellChecker::CheckWord(const char* word) {
    std::string engine;
    if (ctx_ == nullptr || !ToEngine(word, &engine)) return 0;
    splCorrCtxReset(ctx_);
    splVerifyInit(ctx_, kSpellVerifyOptions, u32(language_), &record_);
    u32 result = 0;
    return splVerifyWord(reinterpret_cast<const u8*>(engine.c_str()), &record_, &result);
}

const std::vector<std::string>& PhoneticSpellChecker::GetSuggestions(const char* word) {
    suggestions_.clear();
    std::string engine;
    if (ctx_ == nullptr || !ToEngine(word, &engine)) return suggestions_;
    splCorrCtxReset(ctx_);
    splVerifyInit(ctx_, kSpellVerifyOptions, u32(language_), &record_);
    splCorrectInit(ctx_, kCorrModeTypo | kCorrModeCandidates, u32(language_), &request_);
    for (const u8* const* s = splCorrectWord(reinterpret_cast<const u8*>(engine.c_str()), &request_, 0); *s != nullptr;
         ++s) {
        std::string text;
        for (const u8* p = *s; *p != 0; ++p) text.push_back(char(splToCp1252(*p)));
        suggestions_.push_back(std::move(text));
    }
    return suggestions_;
}

int PhoneticSpellChecker::AddWord(const char* word) {
    std::string engine;
    int added = user_ != nullptr && ToEngine(word, &engine) &&
                splUserDictAddWord(reinterpret_cast<const u8*>(engine.c_str()), user_);
    status_ = added ? "SUCCESS: Word was added!" : "ERROR: I/O error adding word";
    return added;
}
