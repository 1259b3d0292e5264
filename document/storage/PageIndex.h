#pragma once
// The index resource of a picture archive ('tPIX' id 1): which objects the page holds, where,
// and in which order they are drawn. Each object's media is a resource of its own kind and id
// in the same archive. Big-endian, field by field:
//
//   u16 version (1)   u16 page flags   u16 object count (at most kPageIndexMaxObjects)
//   per object, 22 bytes:
//     u32 kind code   u16 id   i16 left   i16 top   i16 right   i16 bottom
//     u16 flags   u32 option word   u16 drawing order (0 is drawn first)
//
// The reader refuses an unknown version, a short or over-long resource, an unknown kind, a
// rectangle turned inside out, the same kind and id twice, and drawing orders that are not
// each of 0..count-1 once.
#include <span>
#include <vector>

#include "engine/base/EngineTypes.h"

constexpr u16 kPageIndexVersion = 1;
constexpr u16 kPageIndexMaxObjects = 500;
constexpr size_t kPageIndexHeaderSize = 6;
constexpr size_t kPageIndexEntrySize = 22;

struct PageIndexEntry {
    FourCC type = 0;
    u16 id = 0;
    i16 left = 0, top = 0, right = 0, bottom = 0;
    u16 flags = 0;
    u32 option = 0;
    u16 order = 0;
    bool operator==(const PageIndexEntry&) const = default;
};

struct PageIndex {
    u16 pageFlags = 0;
    std::vector<PageIndexEntry> entries;
    bool operator==(const PageIndex&) const = default;
};

EngineErr parsePageIndex(std::span<const u8> bytes, PageIndex* index);
// Refuses (with the reader's codes) what the reader would refuse, so nothing unreadable is stored.
EngineErr writePageIndex(const PageIndex& index, std::vector<u8>* bytes);
