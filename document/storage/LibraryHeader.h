#pragma once
// The header resource of a library archive ('tLHD' id 1): the library's media kind and its
// entries. An entry's media is the resource of the library's kind under the entry's id; its
// thumbnail is 'tTHM' and its name text 'tATX' under the same id. Big-endian, field by field:
//
//   u16 version (1)   u32 media kind   u16 flags (bit 0: entries carry thumbnails)
//   u16 entry count (at most kLibraryMaxEntries)   u16 next id to give
//   per entry, 4 bytes:   u16 id (1 .. next id - 1)   u16 entry flags
//
// The reader refuses an unknown version, a short or over-long resource, an id of 0 or at or
// past the next id, and an id given twice.
#include <span>
#include <vector>

#include "engine/base/EngineTypes.h"

constexpr u16 kLibraryHeaderVersion = 1;
constexpr u16 kLibraryMaxEntries = 2000;
constexpr u16 kLibraryFlagThumbnails = 0x0001;
constexpr size_t kLibraryHeaderSize = 12;
constexpr size_t kLibraryEntrySize = 4;

struct LibraryEntry {
    u16 id = 0;
    u16 flags = 0;
    bool operator==(const LibraryEntry&) const = default;
};

struct LibraryHeader {
    FourCC type = 0;
    u16 flags = 0;
    u16 nextId = 1;
    std::vector<LibraryEntry> entries;
    bool operator==(const LibraryHeader&) const = default;
};

EngineErr parseLibraryHeader(std::span<const u8> bytes, LibraryHeader* header);
EngineErr writeLibraryHeader(const LibraryHeader& header, std::vector<u8>* bytes);
