#pragma once
// A small cache of 1024-byte file blocks with least-recently-used replacement and write-back.
// Records form a circular list from the most recently used (the head) onwards; the head's
// previous record is the least recently used. The first record of the table keeps its buffer
// for the manager's whole life, so that at least one block can always be served.
#include "engine/base/EngineTypes.h"
#include "spell/SplFile.h"

constexpr u32 kSplBlockSize = 1024;
constexpr u8 kMmWrite = 16;  // the block is (or will be) dirty
constexpr u8 kMmRead = 32;   // the block's bytes are read from the file
constexpr u8 kMmFreePriority = 127;

struct SplMemBlock {
    SplFile* file = nullptr;
    u8* buffer = nullptr;
    u32 block = 0xFFFFFFFFu;
    u8 state = 0;
    u8 priority = kMmFreePriority;
    SplMemBlock* prev = nullptr;
    SplMemBlock* next = nullptr;
};

struct SplMemManager {
    SplMemBlock* head = nullptr;
    SplMemBlock* table = nullptr;
    u32 buffers = 0;
    u32 initBlocks = 0;
    u32 maxBlocks = 0;
};

// maxBlocks 0 means 100. Null when memory runs out.
SplMemManager* splMemOpen(u32 initBlocks, u32 maxBlocks);
// flags: kMmRead and/or kMmWrite, low four bits the priority. Null when the block cannot be had.
u8* splMemGetBlock(SplMemManager* mm, u32 block, SplFile* file, u32 flags);
// Writes back every dirty block (file null) or writes back and releases the file's blocks.
// 1, or 0 when a write failed.
int splMemFlush(SplMemManager* mm, SplFile* file);
// Releases up to n buffers from the least recently used end; *failed 1 when a write-back failed.
u32 splMemPurge(SplMemManager* mm, u32 n, int* failed);
// 1, or 0 when the final write-back failed. Null is allowed.
int splMemClose(SplMemManager* mm);
