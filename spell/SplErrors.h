#pragma once
// Error codes of the opening functions and the limits shared by the whole spelling engine.
#include "engine/base/EngineTypes.h"

constexpr u32 kSplErrNone = 0;
constexpr u32 kSplErrNoMemory = 1;
constexpr u32 kSplErrOpen = 2;
constexpr u32 kSplErrRead = 3;      // seek, read or write failed, or the file's tables disagree
constexpr u32 kSplErrFormat = 4;    // unterminated text header, or no "PH" magic
constexpr u32 kSplErrVersion = 5;
constexpr u32 kSplErrLanguage = 6;

constexpr int kSplMaxLang = 28;
constexpr int kSplMaxWord = 64;      // words, lookup forms and pair halves stay below this
constexpr int kSplMaxKey = 127;      // phonetic keys are at most this long
constexpr u8 kSplLrSep = 8;          // separates a lookup form from the spelling as given
constexpr u8 kSplKeySpelled = 4;     // in a key: the spelled part follows

constexpr int kSplLangEnglish = 1;
constexpr int kSplLangSpanish = 4;
