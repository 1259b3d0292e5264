#pragma once
// What the spelling benchmarks share: the engine opened on a language's lexicon the way the
// front end opens it, the peer library on its Debian dictionary, and text in both encodings.
//
// SPELL_BENCH_LEXICONS (environment) names the folder with <lang>_phon.env, <lang>_main.lex and
// <lang>_words.txt; by default the full lexicons of the build tree (target lexicons_full).
#include <hunspell/hunspell.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "spell/SplCodePage.h"
#include "spell/SplCorrCtx.h"
#include "spell/SplCorrect.h"
#include "spell/SplTrieLexicon.h"
#include "spell/SplLexicon.h"
#include "spell/SplMemManager.h"
#include "spell/SplPhonTable.h"
#include "spell/SplVerify.h"

namespace spellbench {

struct Language {
    int code;
    const char* prefix;
    const char* dictionary;
};

inline const Language kEnglish{1, "en", "/usr/share/hunspell/en_US"};
inline const Language kSpanish{4, "es", "/usr/share/hunspell/es_ES"};

inline std::string lexiconDir() {
    const char* dir = std::getenv("SPELL_BENCH_LEXICONS");
    return dir != nullptr ? dir : SPELL_BENCH_LEXICONS;
}

// UTF-8 to character set 1 through code page 1252; false for a character it lacks.
inline bool toSet1(const std::string& utf8, std::string* out) {
    out->clear();
    for (size_t i = 0; i < utf8.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(utf8[i]);
        unsigned cp = b;
        if (b >= 0x80) {
            if ((b & 0xE0) != 0xC0 || i + 1 >= utf8.size()) return false;
            cp = ((b & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3Fu);
            if (cp < 0xA0) return false;
        }
        u8 c = splFromCp1252(u8(cp));
        if (c == 0) return false;
        out->push_back(char(c));
    }
    return true;
}

inline std::vector<std::string> readLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line))
        if (!line.empty()) lines.push_back(line);
    return lines;
}

class Speller {
public:
    // The letter tree's slot takes typo candidates as the front end adds it; with
    // kSlotCandidates too, its proximity walk runs as well. Where the build sorted the words,
    // the main lexicon only verifies, the common words' lexicon and letter tree offer theirs
    // first and the other words' after them, as the front end opens them.
    explicit Speller(const Language& lang, u32 typoSlotFlags = kSlotTypo) {
        std::string dir = lexiconDir() + "/" + lang.prefix;
        mm_ = splMemOpen(2, 8);
        u32 error = 0;
        phon_ = splPhonOpen((dir + "_phon.env").c_str(), 0, &error);
        if (phon_ != nullptr) {
            lex_ = splLexOpen((dir + "_main.lex").c_str(), 0, mm_, phon_, &error);
            common_ = splLexOpen((dir + "_common.lex").c_str(), 0, mm_, phon_, &error);
            if (common_ != nullptr) more_ = splLexOpen((dir + "_more.lex").c_str(), 0, mm_, phon_, &error);
        }
        ctx_ = splCorrCtxCreate(6);
        if (lex_ != nullptr)
            splCorrCtxAddLexicon(lex_, 0, common_ != nullptr ? kSlotVerify | kSlotVerifyFolded | kSlotCompound : 31, ctx_);
        if (common_ != nullptr) splCorrCtxAddLexicon(common_, 0, kSlotCandidates, ctx_);
        if (more_ != nullptr) splCorrCtxAddLexicon(more_, 0, kSlotCandidates | kSlotSecondary, ctx_);
        // The letter trees for typo correction, when the lexicon build made them.
        if (loadTree(dir + "_typo.lex", lang.code, &typoImage_, &typo_))
            splCorrCtxAddLexicon(&typo_, 0, typoSlotFlags, ctx_);
        if (common_ != nullptr && loadTree(dir + "_more_typo.lex", lang.code, &moreTypoImage_, &moreTypo_))
            splCorrCtxAddLexicon(&moreTypo_, 0, typoSlotFlags | kSlotSecondary, ctx_);
        splVerifyInit(ctx_, 29, u32(lang.code), &rec_);
        splCorrectInit(ctx_, kCorrModeTypo | kCorrModeCandidates, u32(lang.code), &req_);
    }
    ~Speller() {
        splCorrCtxFree(ctx_);
        splLexClose(more_);
        splLexClose(common_);
        splLexClose(lex_);
        splPhonClose(phon_);
        splMemClose(mm_);
    }
    bool ok() const { return lex_ != nullptr; }
    bool verify(const std::string& set1) {
        u32 result = 0;
        splCorrCtxReset(ctx_);
        return splVerifyWord(reinterpret_cast<const u8*>(set1.c_str()), &rec_, &result) != 0;
    }

    // The suggestions for a word, best first, in character set 1.
    std::vector<std::string> suggest(const std::string& set1) {
        std::vector<std::string> out;
        splCorrCtxReset(ctx_);
        for (const u8* const* s = splCorrectWord(reinterpret_cast<const u8*>(set1.c_str()), &req_, 0); *s != nullptr; ++s)
            out.emplace_back(reinterpret_cast<const char*>(*s));
        return out;
    }

private:
    static bool loadTree(const std::string& path, int language, std::vector<u8>* image, SplTrieLexicon* tree) {
        std::ifstream in(path, std::ios::binary);
        image->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return !image->empty() && splTrieInit(tree, language, image->data(), u32(image->size()));
    }

    SplMemManager* mm_ = nullptr;
    SplPhonTable* phon_ = nullptr;
    SplLexicon* lex_ = nullptr;
    SplLexicon* common_ = nullptr;
    SplLexicon* more_ = nullptr;
    SplCorrCtx* ctx_ = nullptr;
    SplVerifyRec rec_;
    SplCorrectReq req_;
    std::vector<u8> typoImage_, moreTypoImage_;
    SplTrieLexicon typo_, moreTypo_;
};

class Peer {
public:
    explicit Peer(const Language& lang)
        : handle_(Hunspell_create((std::string(lang.dictionary) + ".aff").c_str(),
                                  (std::string(lang.dictionary) + ".dic").c_str())) {}
    ~Peer() { Hunspell_destroy(handle_); }
    bool verify(const std::string& utf8) { return Hunspell_spell(handle_, utf8.c_str()) != 0; }
    std::vector<std::string> suggest(const std::string& utf8) {
        char** list = nullptr;
        int n = Hunspell_suggest(handle_, &list, utf8.c_str());
        std::vector<std::string> out(list, list + (n > 0 ? n : 0));
        Hunspell_free_list(handle_, &list, n);
        return out;
    }

private:
    Hunhandle* handle_;
};

}  // namespace spellbench
