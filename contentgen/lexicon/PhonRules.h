#pragma once
// A language's phonetic rules file and the ".env" image made from it.
//
// Rules file (UTF-8 text, one rule a line, '#' starts a comment):
//   <pattern> <n>            ordinary rule: the pattern's first letter gets code n + 16
//                            (n 0-15); a two-letter pattern writes its second letter as a
//                            repetition, so it is meant for doubled letters
//   <pattern> = <c1> <c2>... replacement: each letter of the pattern gets the code listed for
//                            it (11 for none, 16-31), 'Y' and 'Z' taking none
//   heard <letter> <n|-> <as|->
//                            the letter with code n + 16 ("-": with none) sounds as the letter
//                            as, or is not heard ("-"): the correction compares words by sound
// 'Y' stands for the word's start and 'Z' for its end.
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/base/EngineTypes.h"

struct PhonRules {
    int language = 0;
    std::vector<std::string> patterns;  // set-1 bytes
    std::vector<u8> outputs;
    std::vector<std::string> replacements;  // code lists, one per replacement
    struct Heard {
        u8 letter, code, as;  // as 0: not heard
    };
    std::vector<Heard> heard;
};

// False with a message naming the line when the text is not a rules file.
bool parsePhonRules(const std::string& text, int language, PhonRules* rules, std::string* error);

// The pairs the rules can produce for the given characters (as framed by the encoder).
std::set<std::pair<u8, u8>> phonPairsFor(const PhonRules& rules, const std::set<u8>& characters);

// The ".env" image; false with a message when the pairs exceed what a key byte can index.
bool buildPhonImage(const PhonRules& rules, const std::set<std::pair<u8, u8>>& pairs, std::vector<u8>* image,
                    std::string* error);

// Header values of the images this builder writes.
constexpr u8 kEnvReservedPairs = 7;  // marks 0-3, spelled part, repetition, unknown
constexpr u8 kEnvUnknownIndex = 6;
constexpr u8 kEnvSingleBin = 5;
constexpr u8 kEnvFirstBin = 5;
constexpr u8 kEnvBinColumns = 16;
constexpr u8 kEnvPlainCodes = 16;
