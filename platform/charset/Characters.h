#pragma once
// The program's text is cp1252 bytes. This module answers the questions the engine asks of
// such text: what counts as a letter or digit, upper and lower case, and where the next or
// previous character starts.
//
// cp1252 is single-byte, but the engine walks text by characters as if a double-byte code
// page could be in force. Tests install a lead-byte table to exercise those paths; it is
// installed by one thread while no other thread reads text.
#include <array>
#include <cstdint>

namespace plat {

using LeadByteTable = std::array<bool, 256>;

bool charIsLeadByte(uint8_t byte);
bool charIsAlnum(uint8_t byte);
uint8_t charUpper(uint8_t byte);
uint8_t charLower(uint8_t byte);

// The start of the next character; p itself at the NUL. A lead byte followed by the NUL
// is a character of one byte.
const char* charNext(const char* p);
// The start of the character in front of p, found by walking from start; start when p is
// at or before start.
const char* charPrev(const char* start, const char* p);

// nullptr restores cp1252, which has no lead bytes.
void setLeadByteTable(const LeadByteTable* table);

class ScopedLeadByteTable {
public:
    explicit ScopedLeadByteTable(const LeadByteTable& table) { setLeadByteTable(&table); }
    ~ScopedLeadByteTable() { setLeadByteTable(nullptr); }
    ScopedLeadByteTable(const ScopedLeadByteTable&) = delete;
    ScopedLeadByteTable& operator=(const ScopedLeadByteTable&) = delete;
};

}  // namespace plat
