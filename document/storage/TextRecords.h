#pragma once
// The stored texts of a page: a text object's text with its font ('tTXT') and the teacher's
// note ('tNOT'). Texts are bytes in the program's character set, without a terminator, at most
// kStoredTextMax of them. Big-endian:
//
//   text:  u16 version (1; 2 for a text not set flush left; 3 for a text with style runs)
//          32 bytes face name (NUL-padded; the last byte is always NUL, and no byte after
//          the first NUL is anything else)   u16 point size   u16 style bits   u32 colour
//          (0x00RRGGBB): the style of the whole text
//          version 2: i16 justification (0 centred, 1 right)
//          version 3: i16 justification (-1 left, 0 centred, 1 right)   u16 run count
//                     each run: u16 from   u16 to (from < to <= the text's length)   32 bytes
//                     face name as above (empty: not changed)   u16 point size (0: not
//                     changed)   u16 colour set (0 or 1)   u32 colour   u16 bold   u16
//                     underline   u16 italic (0 off, 1 on, 2 not changed); a later run wins
//                     over an earlier one where they overlap
//          u32 length   the text
//   note:  u16 version (1)   u16 note kind   u16 language flag   u32 length   the text
#include <span>
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"

constexpr u16 kTextRecordVersion = 1;
constexpr u16 kJustifiedTextRecordVersion = 2;
constexpr u16 kStyledTextRecordVersion = 3;
constexpr size_t kFaceNameSize = 32;
constexpr u32 kStoredTextMax = 1u << 20;
constexpr u16 kRunStateNotSet = 2;

// What a stretch of the text changes of the text's style; each part may be left as it is.
struct TextRunRecord {
    u16 from = 0;
    u16 to = 0;
    std::string face;  // empty: not changed
    u16 size = 0;      // 0: not changed
    bool colourSet = false;
    u32 colour = 0;
    u16 bold = kRunStateNotSet;
    u16 underline = kRunStateNotSet;
    u16 italic = kRunStateNotSet;
    bool operator==(const TextRunRecord&) const = default;
};

struct TextRecord {
    std::string face;  // shorter than kFaceNameSize
    u16 size = 0;
    u16 style = 0;
    u32 colour = 0;
    std::string text;
    // -1 flush left, 0 centred, 1 flush right.
    i16 justification = -1;
    // Written only when there are any: a text in one style keeps its older layout.
    std::vector<TextRunRecord> runs = {};
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
