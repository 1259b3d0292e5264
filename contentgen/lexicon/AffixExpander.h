#pragma once
// Expands a hunspell dictionary with its affix file: every stem with each suffix and prefix
// its flags allow, one level of continuation suffixes, and prefixes crossed with suffixes
// where both allow it. The word forms of Spanish derivations ("-ción" and its plural) come
// only from continuation suffixes, which unmunch does not follow. The result over-generates
// where the affix file relies on flags this expander ignores (NEEDAFFIX and the like): the
// builder keeps only the forms the peer library accepts.
#include <functional>
#include <string>
#include <vector>

// Appends the UTF-8 forms; false with a message when a file cannot be read.
bool expandAffixes(const std::string& affPath, const std::string& dicPath, std::vector<std::string>* forms,
                   std::string* error);

// The same expansion a stem at a time: each dictionary stem with its forms (the stem first), in
// the dictionary's order.
using AffixFamilyVisitor = std::function<void(const std::vector<std::string>& forms)>;
bool expandAffixFamilies(const std::string& affPath, const std::string& dicPath, const AffixFamilyVisitor& visit,
                         std::string* error);
