#pragma once
// Accent-tolerant comparison of two phonetic keys: a word typed in capitals may have lost the
// accents its stored form carries.
#include "engine/base/EngineTypes.h"
#include "spell/SplPhonTable.h"

// Compares the key of a typed word (a) with a stored key (b). `mode` is the typed word's shape
// (low two bits): a capitalised word (2) may lack an accent on its first letter only, an
// all-capitals word (3) on any letter. 0 when the keys are equal up to such accents, else the
// signed difference of the first bytes that differ for real. A language whose phonetic table
// has no accent kind compares plainly.
int splPhonKeyCompare(const u8* a, const u8* b, u32 mode, const SplPhonTable* phon);
