#pragma once
// The voices the program speaks with, numbered within two families, and the one place where
// the languages of callers are turned into a family.
#include <optional>

#include "platform/speech/SpeechBackend.h"

#include "engine/base/EngineTypes.h"

constexpr u32 kSpeechFamilyEnglish = 0;
constexpr u32 kSpeechFamilySpanish = 1;
constexpr u32 kSpeechFamilyCount = 2;

// Note and page languages as their owners store them.
constexpr u32 kNoteLanguageSpanish = 1;
constexpr u32 kNoteLanguageEnglish = 2;

// The family for a stored note language; an unknown language is read in English.
u32 speechFamilyOfNoteLanguage(u32 language);

// Family 0: "Wanda", "Julia" (female), "Peter" (male); family 1: "Carmen" (female), "Julio"
// (male). Nothing for an unknown family or number.
std::optional<plat::SpeechVoice> speechVoiceFor(u32 family, u16 number);
