#pragma once
// The engine's file layer: buffered standard-library files. Lexicons, phonetic environments and
// personal dictionaries are all read through these calls so that one place decides how.
#include <cstdio>

#include "engine/base/EngineTypes.h"

using SplFile = std::FILE;

constexpr int kSplFileReadOnly = 0;   // existing file, reading
constexpr int kSplFileReadWrite = 1;  // existing file, reading and writing
constexpr int kSplFileCreate = 2;     // made anew, reading and writing; an existing file is refused

// Every engine allocation goes through this pair; a request for 0 bytes still gets a block.
void* splAlloc(size_t size);
void splFree(void* block);

SplFile* splFileOpen(const char* name, int mode);
// 0, or non-zero when the stream's last writes could not be completed. Null is allowed.
int splFileClose(SplFile* file);
u32 splFileRead(void* buffer, u32 count, SplFile* file);
// Bytes written; 0 when the stream reports an error.
u32 splFileWrite(const void* buffer, u32 count, SplFile* file);
// Writes the stream's buffer and has the system put the file on disc: 1, or 0 on failure.
int splFileSync(SplFile* file);
// Moves the file `from` over `to` in one step and puts the folder's new entry on disc: 1, or 0
// on failure (`to` then keeps its old bytes, unless only the folder sync failed).
int splFileReplace(const char* from, const char* to);
// Moves the finished file `from` to the name `to` in one step when no file has that name, and
// puts the folder's new entry on disc: 1, or 0 on failure (`from` stays where it was unless
// only the folder sync failed).
int splFileMoveToFreeName(const char* from, const char* to);
// Puts on disc the folder entry of a file just made: 1, or 0 on failure.
int splFileSyncFolder(const char* name);
// Removes a file; 1 when it is gone (or was never there).
int splFileRemove(const char* name);
// 0 on success.
int splFileSeek(i64 offset, SplFile* file);
// Length in bytes with the position left where it was; -1 on failure.
i64 splFileLength(SplFile* file);
// 1 when all count bytes were read.
int splReadExactly(void* buffer, u32 count, SplFile* file);
// Reads count little-endian 16-bit words into host values; 1 when all were read.
int splReadWords(u16* words, u32 count, SplFile* file);
// Allocates count bytes and fills them from the file: 1, or 0 with error 1 or 3 and *out null.
int splAllocRead(u8** out, u32 count, SplFile* file, u32* error);
