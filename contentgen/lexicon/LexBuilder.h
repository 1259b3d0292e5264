#pragma once
// Builds a language's phonetic environment and main lexicon from its words and rules file
// with the engine's own shape analysis, phonetic coder and key order, then reopens both files
// with the engine and verifies every word (as written, capitalised and in capitals).
#include <map>
#include <string>
#include <vector>

#include "contentgen/lexicon/LexWriter.h"
#include "engine/base/EngineTypes.h"

struct LexBuildInput {
    int language = 0;
    std::vector<std::string> words;  // character set 1
    std::string rulesText;
    u16 flags = 0;
    bool compress = true;
    std::string envPath, lexPath;
    std::string headerText;
    // Inflection class bytes (128 or more) by word as given; for Spanish verb forms the low four
    // bits choose which attached pronouns the form takes.
    std::map<std::string, u8> classBytes;
    // A suffix rules file (contentgen/lexicon/SuffixClasses.h): stems take classes, the forms
    // their classes stand for are left out, and the lexicon carries the suffix-class table.
    std::string suffixRulesText;
    // The words (character set 1) of the other lexicons opened with the same phonetic file: its
    // letters cover theirs too, so that every one of them reads with it.
    std::vector<std::string> siblingWords;
};

struct LexBuildReport {
    u32 words = 0;       // source words taken
    u32 skipped = 0;     // empty, too long, or not a word to the shape analysis
    u32 entries = 0;
    LexImageStats image;
    u32 verified = 0;    // spellings verified after reopening
    u32 classedStems = 0, omittedForms = 0, suffixClasses = 0;
};

// Every shape a word may be typed in that the lexicon must accept: as given, capitalised, and
// in capitals (each once).
std::vector<std::string> lexWordVariants(const std::string& word, int language);

bool buildLexicon(const LexBuildInput& input, LexBuildReport* report, std::string* error);
