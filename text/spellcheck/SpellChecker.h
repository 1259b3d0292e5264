#pragma once
// The program's view of a spelling checker. Words and suggestions are in the program's
// character code (Windows code page 1252).
#include <string>
#include <vector>

class SpellChecker {
public:
    virtual ~SpellChecker() = default;
    // Non-zero when the checker is ready.
    virtual int Open() = 0;
    // Non-zero when the word is accepted.
    virtual int CheckWord(const char* word) = 0;
    // The suggestions for a word, best first; held by the checker until the next call.
    virtual const std::vector<std::string>& GetSuggestions(const char* word) = 0;
    // Non-zero when the word was added to the user's dictionary.
    virtual int AddWord(const char* word) = 0;
};
