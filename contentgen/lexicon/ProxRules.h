#pragma once
// A language's proximity rules file and the encoder tables made from it for the letter tree
// (layout in spell/SplTrieLexicon.h).
//
// Rules file (UTF-8 text, one rule a line, '#' starts a comment):
//   <pattern> <output>...   one output per pattern letter: a code 0-15, a letter and a code (the
//                           letter the code stands for, as in "ph f2 -"), or "-" for none
// 'Y' stands for the word's start and 'Z' for its end; patterns are at most 8 letters.
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"

// The encoder section of a letter-tree image (from its state count on); false with a message
// naming the line when the text is not a rules file or a table outgrows its field.
bool buildProxEncoder(const std::string& text, std::vector<u8>* section, std::string* error);
