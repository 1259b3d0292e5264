#pragma once
// A spelling check's replacement in the page text editor. The check reports offsets into the
// text as it was when the check began; `adjust` carries what earlier replacements added or
// took away, so that each later word is found where it now stands.
#include <string>

#include "engine/base/EngineTypes.h"

class RTEditor;

// The first replacement of a check (`*recorded` false) opens the check's one undo step. False,
// with the text and `adjust` as they were, when the word is not there or the text would not fit.
bool replaceCheckedWord(RTEditor& editor, u32 offset, u32 length, const std::string& replacement, i32* adjust,
                        bool* recorded);
// Selects the word at its current place.
void selectCheckedWord(RTEditor& editor, u32 offset, u32 length, i32 adjust);
