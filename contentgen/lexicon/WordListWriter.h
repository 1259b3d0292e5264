#pragma once
// The table of a word-list lexicon (kind 1): the words as typed, each NUL-terminated, in byte
// order and without repeats, ready for the engine's sorted-string search.
#include <string>
#include <vector>

std::string buildWordListTable(std::vector<std::string> words);
