#pragma once
// Spanish verb forms carrying enclitic pronouns ("dámelo", "comerlo", "comiéndolo"): the
// pronouns are cut off, the accent they made the verb take is removed again, and the verb form
// is looked up; the form's class row must allow the pronouns.
#include <cstddef>

#include "engine/base/EngineTypes.h"
#include "spell/SplLexicon.h"

constexpr u32 kEncliticCount = 25;
constexpr u32 kEncliticRows = 16;

// Index of the longest (or, with shortest, the shortest) enclitic ending of a lookup form, -1
// when none.
int splEncliticMatch(const u8* form, bool shortest);
// Length of ending `ending` of the table.
size_t splEncliticLength(int ending);
// Ending `ending` of the table ("la", "mela", ...).
const char* splEncliticText(int ending);
// The enclitic endings the lookup form ends with (shorter than it), as a mask by table index.
u32 splEncliticsAtEnd(const u8* form);
// The verb form `entry` (a lookup form) with ending `ending` attached, when its class byte allows
// that ending; the accent the pronouns make it take is written `shift` letters (bits 4-6 of the
// class byte) before them unless the form already carries one or the pronouns leave the stress
// on one of the last two syllables ("dalo"). False when not allowed or too long.
bool splEncliticForm(const u8* entry, u8 classByte, int ending, u8* out);
// Where a verb form with pronouns written without its accent ("explicamelo", "dimelo") is
// stressed: the place of the vowel the form alone is stressed on ("explica", "di"), which the
// pronouns leave where it is; -1 when the form ends in no pronouns.
int splEncliticStress(const u8* form);
// 1 when the lookup form (typed as `surface`) is a verb form of the lexicon with pronouns
// attached; the verb form's flag codes are then in lex->flagCodes.
int spnfetch(SplLexicon* lex, const u8* form, const u8* surface);
