#pragma once
// Small lexicons made by the project's own builder, opened the way the front end opens them.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "contentgen/lexicon/LexBuilder.h"
#include "contentgen/lexicon/WordSource.h"
#include "spell/SplCorrCtx.h"
#include "spell/SplLexicon.h"
#include "spell/SplMemManager.h"
#include "spell/SplPhonTable.h"
#include "spell/SplVerify.h"
#include "tests/spell/SpellScratch.h"

namespace spelltest {

inline std::string rulesText(int language) {
    return readText(std::filesystem::path(SPELL_RULES_DIR) / (language == 4 ? "es.rules" : "en.rules"));
}

inline std::string set1(const std::string& utf8) {
    std::string out;
    utf8ToSet1(utf8, &out);
    return out;
}

inline const u8* bytes(const std::string& s) { return reinterpret_cast<const u8*>(s.c_str()); }

// Runs f on its own thread; a run that does not end in ten seconds fails the program.
inline void withinSeconds(const char* what, const std::function<void()>& f) {
    auto finished = std::make_shared<std::promise<void>>();
    std::future<void> result = finished->get_future();
    std::thread([f, finished] {
        f();
        finished->set_value();
    }).detach();
    if (result.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        ADD_FAILURE() << what << " did not end";
        std::fflush(nullptr);
        std::_Exit(1);
    }
}

// Builds "<dir>/x_phon.env" and "<dir>/x_main.lex" from UTF-8 words; the builder's message on
// failure.
inline std::string buildSmall(const std::filesystem::path& dir, int language, const std::vector<std::string>& utf8,
                              u16 flags = 0, bool compress = true, const std::string& moreRules = "") {
    LexBuildInput input;
    input.language = language;
    for (const std::string& w : utf8) input.words.push_back(set1(w));
    input.rulesText = rulesText(language) + moreRules;
    input.flags = flags;
    input.compress = compress;
    input.envPath = (dir / "x_phon.env").string();
    input.lexPath = (dir / "x_main.lex").string();
    input.headerText = "test lexicon\n";
    LexBuildReport report;
    std::string error;
    return buildLexicon(input, &report, &error) ? std::string() : error;
}

// The engine's parts opened in the front end's order and closed in reverse.
struct OpenSpeller {
    SplPhonTable* phon = nullptr;
    SplMemManager* mm = nullptr;
    SplLexicon* lex = nullptr;
    SplCorrCtx* ctx = nullptr;
    SplVerifyRec rec;
    u32 error = 0;
    int language = 0;

    // mainFlags: the main lexicon's slot flags (31: it verifies and offers its words).
    bool open(const std::string& env, const std::string& lexPath, int lang, u32 options = 29, u32 mainFlags = 31) {
        language = lang;
        mm = splMemOpen(2, 8);
        int failed = 0;
        splMemPurge(mm, 5, &failed);
        phon = splPhonOpen(env.c_str(), 0, &error);
        if (phon == nullptr) return false;
        lex = splLexOpen(lexPath.c_str(), 0, mm, phon, &error);
        if (lex == nullptr) return false;
        ctx = splCorrCtxCreate(6);
        splCorrCtxAddLexicon(lex, 0, mainFlags, ctx);
        splVerifyInit(ctx, options, u32(lang), &rec);
        return true;
    }
    bool openDir(const std::filesystem::path& dir, int lang, u32 options = 29) {
        return open((dir / "x_phon.env").string(), (dir / "x_main.lex").string(), lang, options);
    }
    // A UTF-8 word, converted to the lexicon's character set as the front end does.
    bool verify(const std::string& utf8, u32* result = nullptr) {
        u32 r = 0;
        splCorrCtxReset(ctx);
        int ok = splVerifyWord(bytes(set1(utf8)), &rec, &r);
        if (result != nullptr) *result = r;
        return ok != 0;
    }
    ~OpenSpeller() {
        splCorrCtxFree(ctx);
        splLexClose(lex);
        splPhonClose(phon);
        splMemClose(mm);
    }
};

}  // namespace spelltest
