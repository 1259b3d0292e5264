#include "platform/charset/Characters.h"

#include <atomic>

namespace plat {
namespace {

// cp1252 letters outside ASCII: the paired case letters of 0x8A-0x9F, the Latin-1 letters
// from 0xC0 (without the multiplication and division signs), and the lone letters
// f-hook, feminine and masculine ordinals and micro.
constexpr bool isLetterOutsideAscii(unsigned c) {
    switch (c) {
        case 0x83: case 0x8A: case 0x8C: case 0x8E: case 0x9A: case 0x9C: case 0x9E: case 0x9F:
        case 0xAA: case 0xB5: case 0xBA:
            return true;
        default:
            return c >= 0xC0 && c != 0xD7 && c != 0xF7;
    }
}

constexpr uint8_t upperOf(unsigned c) {
    if (c >= 'a' && c <= 'z') return uint8_t(c - 0x20);
    switch (c) {
        case 0x9A: return 0x8A;  // s caron
        case 0x9C: return 0x8C;  // oe
        case 0x9E: return 0x8E;  // z caron
        case 0xFF: return 0x9F;  // y diaeresis
        default: break;
    }
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return uint8_t(c - 0x20);
    return uint8_t(c);
}

constexpr uint8_t lowerOf(unsigned c) {
    if (c >= 'A' && c <= 'Z') return uint8_t(c + 0x20);
    switch (c) {
        case 0x8A: return 0x9A;
        case 0x8C: return 0x9C;
        case 0x8E: return 0x9E;
        case 0x9F: return 0xFF;
        default: break;
    }
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return uint8_t(c + 0x20);
    return uint8_t(c);
}

struct Tables {
    std::array<bool, 256> alnum{};
    std::array<uint8_t, 256> upper{};
    std::array<uint8_t, 256> lower{};
};

constexpr Tables makeTables() {
    Tables t;
    for (unsigned c = 0; c < 256; ++c) {
        bool ascii = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        t.alnum[c] = ascii || isLetterOutsideAscii(c);
        t.upper[c] = upperOf(c);
        t.lower[c] = lowerOf(c);
    }
    return t;
}

constexpr Tables kTables = makeTables();

std::atomic<const LeadByteTable*> leadBytes{nullptr};

}  // namespace

bool charIsLeadByte(uint8_t byte) {
    const LeadByteTable* table = leadBytes.load(std::memory_order_relaxed);
    return table != nullptr && (*table)[byte];
}

bool charIsAlnum(uint8_t byte) { return kTables.alnum[byte]; }
uint8_t charUpper(uint8_t byte) { return kTables.upper[byte]; }
uint8_t charLower(uint8_t byte) { return kTables.lower[byte]; }

const char* charNext(const char* p) {
    if (*p == '\0') return p;
    if (charIsLeadByte(uint8_t(*p)) && p[1] != '\0') return p + 2;
    return p + 1;
}

const char* charPrev(const char* start, const char* p) {
    if (p <= start) return start;
    const char* walk = start;
    for (;;) {
        const char* next = charNext(walk);
        if (next >= p || next == walk) return walk;
        walk = next;
    }
}

void setLeadByteTable(const LeadByteTable* table) { leadBytes.store(table, std::memory_order_relaxed); }

}  // namespace plat
