#pragma once
// Word lists for the lexicon builder: UTF-8 text, one word per line, turned into the engine's
// character set 1 by way of code page 1252 (the program's own text encoding).
#include <string>
#include <vector>

// The set-1 bytes of a UTF-8 word, or false when a character has no place in character set 1.
bool utf8ToSet1(const std::string& utf8, std::string* set1);
std::string set1ToUtf8(const std::string& set1);

// Appends the words of a file (the part of each line before a '/' or a tab); false when the
// file cannot be read.
bool readWordFile(const std::string& path, std::vector<std::string>* utf8Words);

// Appends the words of a running text: its runs of letters (Latin-1's letters beside a-z), in
// small letters (a capital in running text starts a sentence as often as a name); false when
// the file cannot be read.
bool readTextWords(const std::string& path, std::vector<std::string>* utf8Words);
