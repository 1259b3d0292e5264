#pragma once
// Which of a lexicon's words are offered as suggestions. A child who misspells a word means a
// word children use, not an abbreviation or a rare name: the lexicon build sorts its words into
//   common         the words of the common-word lists, and every form of a dictionary stem
//                  they list: offered first;
//   other          the language's other words: offered after the common ones;
//   accepted only  the words of the accepted-only lists (abbreviations, very rare words, crude
//                  words), even when a common list holds them too, and the words with a capital
//                  (names, initials) and words of two or more letters without a vowel that no
//                  common list holds: accepted as spelled right, never offered.
// Without common lists every word is common, as when nothing is known of the words. Words are
// UTF-8 as the word lists give them.
#include <string>
#include <unordered_set>
#include <vector>

enum class SuggestionTier { Common, Other, AcceptedOnly };

class SuggestionTiers {
public:
    void addCommon(const std::string& word) { common_.insert(word); }
    void addAcceptedOnly(const std::string& word) { acceptedOnly_.insert(word); }
    // A dictionary stem's forms, the stem first: all of them are common when the stem is. The
    // common lists come first.
    void addFamily(const std::vector<std::string>& forms);
    bool active() const { return !common_.empty(); }
    SuggestionTier tierOf(const std::string& word) const;

private:
    std::unordered_set<std::string> common_, familyForms_, acceptedOnly_;
};
