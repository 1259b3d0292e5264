#pragma once
// Functions on NUL-terminated byte texts in the program's code page. They step through a
// text by whole characters, so a double-byte character is never split, and take no buffer
// sizes except where a count is given: callers size their buffers.
// They keep no state; any thread may call them.
#include "engine/base/EngineTypes.h"

const char* strCharNext(const char* p);
const char* strCharPrev(const char* start, const char* p);
// 1 or 2; 1 at the NUL.
u32 strCharSize(const char* p);
bool strIsLeadByte(const char* p);
bool strIsAlnum(const char* p);
u32 strCharCount(const char* text);
u32 strLength(const char* text);
// n characters on; null when the text ends first.
const char* strSkipChars(const char* text, u32 n);

void strCopy(char* dst, const char* src);
void strConcat(char* dst, const char* src);
// Copies the one character at src, without a terminator.
void strCopyChar(char* dst, const char* src);
// Copies whole characters while they fit in n bytes; a NUL follows unless they fill
// exactly n bytes.
void strNCopyChars(char* dst, const char* src, u32 n);

// Unsigned byte order: -1, 0 or 1.
int strCompare(const char* a, const char* b);
// At most n characters, each by its first byte taken as signed; the difference of the
// first unequal bytes.
int strNCompareChars(const char* a, const char* b, u32 n);
// Single-byte characters compare by their upper case; where either is a lead byte the
// first bytes compare as they are. Ends at the first difference or at the end of a.
int strCompareNoCase(const char* a, const char* b);

// The first / last character of text equal to the character at pattern; null when absent.
const char* strFindChar(const char* text, const char* pattern);
const char* strFindLastChar(const char* text, const char* pattern);
