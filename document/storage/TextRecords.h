#pragma once
// The stored texts of a page: a text object's text with its font ('tTXT') and the teacher's
// note ('tNOT'). Texts are bytes in the program's character set, without a terminator, at most
// kStoredTextMax of them. Big-endian:
//
//   text:  u16 version (1, or 2 for a text not set flush left)   32 bytes face name
//          (NUL-padded; the last byte is always NUL, and no byte after the first NUL is
//          anything else)   u16 point size   u16 style bits   u32 colour (0x00RRGGBB)
//          version 2 only: i16 justification (0 centred, 1 right)   u32 length   the text
//   note:  u16 version (1)   u16 note kind   u16 language flag   u32 length   the text
#include <span>
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"

constexpr u16 kTextRecordVersion = 1;
constexpr u16 kJustifiedTextRecordVersion = 2;
constexpr size_t kFaceNameSize = 32;
constexpr u32 kStoredTextMax = 1u << 20;

struct TextRecord {
    std::string face;  // shorter than kFaceNameSize
    u16 size = 0;
    u16 style = 0;
    u32 colour = 0;
    std::string text;
    // -1 flush left, 0 centred, 1 flush right.
    i16 justification = -1;
    bool operator==(const TextRecord&) const = default;
};

struct NoteRecord {
    u16 kind = 0;
    u16 language = 0;
    std::string text;
    bool operator==(const NoteRecord&) const = default;
};

EngineErr parseTextRecord(std::span<const u8> bytes, TextRecord* record);
EngineErr writeTextRecord(const TextRecord& record, std::vector<u8>* bytes);
EngineErr parseNoteRecord(std::span<const u8> bytes, NoteRecord* record);
EngineErr writeNoteRecord(const NoteRecord& record, std::vector<u8>* bytes);
