#pragma once
// Searches over the engine's string tables, and the similarity of two words.
#include "engine/base/EngineTypes.h"

// Table: items of k data bytes and a NUL-terminated string, sorted by the strings. -1 when an
// item equals key (*position: the item's start); 1 when key is a proper beginning of an item
// met during the search; else 0 (*position: where key would stand).
int ssearch(const u8* key, const u8* table, u32 length, u32 k, u32* position);
// A table of count entries of `width` bytes, each an ending written backwards and sorted; the
// entry that matches word's end read from `offset` backwards (the last, longest one with
// keepLast), or -1.
int splSuffixMatch(const u8* word, const u8* table, u32 count, u32 width, u32 offset, bool keepLast);
// Length of the longest common subsequence of a (la bytes) and b (lb bytes), both at most 255.
u32 seqlen(const u8* a, const u8* b, u32 la, u32 lb);
