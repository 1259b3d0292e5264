#pragma once
// Pronunciations are applied by respelling: the synthesiser has no word list of its own, so
// each listed word of the voice's family is replaced by its pronunciation before speaking.
#include <string>
#include <string_view>
#include <vector>

#include "text/speech/format/Pronunciation.h"

// Replaces every whole word of `text` that matches an entry of `family` (ignoring case) by
// that entry's pronunciation; the last entry for a word wins.
std::string respell(std::string_view text, const std::vector<Pronunciation>& entries, u32 family);
