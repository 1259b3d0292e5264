#pragma once
// The suffix-class table of a main lexicon (layout in spell/SplSuffixClass.h): which entries
// stand for their inflected forms, by which classes, and the tag area that stores the classes.
//
// Rules file (UTF-8 text, '#' starts a comment), one setting a line:
//   percent N        share of a misspelled word an entry must have in common to be inflected
//   minstem N        entries shorter than this are inflected whatever they share
//   suffix S [C]     a suffix, and the companion put after it on an entry that carried this one
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"

struct SuffixRules {
    u8 percent = 0;
    u8 minStem = 0;
    std::vector<std::string> suffixes;    // character set 1, at most 64
    std::vector<std::string> companions;
};

bool parseSuffixRules(const std::string& text, SuffixRules* rules, std::string* error);

struct SuffixFormInfo {
    std::vector<u8> codes;  // flag codes
    u8 classByte = 0;       // a class byte given by the caller (then the form is left as it is)
};

struct SuffixClassPlan {
    std::map<std::string, u8> classBytes;  // by stem form
    std::set<std::string> omitted;         // forms a stem's class stands for
    std::vector<u64> masks{0};             // by class; class 0 takes no suffix
};

// A stem (a form that carries no listed suffix and has no class byte of its own) gets a class
// whose suffixes make forms of the same flag codes; the 63 most useful suffix sets become the
// classes and any other stem takes the largest of them that fits. Forms a class stands for are
// left out unless they are classed stems themselves.
SuffixClassPlan planSuffixClasses(const std::map<std::string, SuffixFormInfo>& forms, const SuffixRules& rules);

// The tag area (head and string area) of the table.
bool buildTagArea(const SuffixRules& rules, const std::vector<u64>& masks, std::vector<u8>* area, std::string* error);
