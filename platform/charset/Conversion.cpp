#include "platform/charset/Conversion.h"

#include <cstdint>
#include <optional>

namespace plat {
namespace {

constexpr char kReplacement = '?';

// 0x80-0x9F differ from Latin-1; the five unassigned bytes map to the C1 controls of the
// same value, so every byte survives a round trip.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t unitOf(uint8_t byte) {
    if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80];
    return byte;
}

std::optional<char> heldByte(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return char(code);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == code) return char(0x80 + i);
    }
    return std::nullopt;
}

char byteOf(char32_t code) { return heldByte(code).value_or(kReplacement); }

void appendUtf8(std::string& out, char16_t unit) {
    if (unit < 0x80) {
        out += char(unit);
    } else if (unit < 0x800) {
        out += char(0xC0 | (unit >> 6));
        out += char(0x80 | (unit & 0x3F));
    } else {
        out += char(0xE0 | (unit >> 12));
        out += char(0x80 | ((unit >> 6) & 0x3F));
        out += char(0x80 | (unit & 0x3F));
    }
}

// Length of the well-formed UTF-8 sequence at the start of text and its code point;
// 0 when the first byte does not start one.
size_t decodeUtf8(std::string_view text, char32_t& code) {
    auto byte = [&](size_t i) { return uint8_t(text[i]); };
    uint8_t lead = byte(0);
    size_t length;
    char32_t minimum;
    if (lead < 0x80) {
        code = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, minimum = 0x80, code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, minimum = 0x10000, code = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length) return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(i) & 0x3F);
    }
    bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (code < minimum || code > 0x10FFFF || surrogate) return 0;
    return length;
}

}  // namespace

std::u16string cp1252ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (char c : text) out += unitOf(uint8_t(c));
    return out;
}

std::string utf16ToCp1252(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char16_t unit : text) out += byteOf(unit);
    return out;
}

std::string cp1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) appendUtf8(out, unitOf(uint8_t(c)));
    return out;
}

std::string utf8ToCp1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        char32_t code = 0;
        size_t length = decodeUtf8(text, code);
        out += length == 0 ? kReplacement : byteOf(code);
        text.remove_prefix(length == 0 ? 1 : length);
    }
    return out;
}

std::string typedUtf8ToCp1252(std::string_view text) {
    std::string out;
    while (!text.empty()) {
        char32_t code = 0;
        const size_t length = decodeUtf8(text, code);
        if (length != 0)
            if (std::optional<char> held = heldByte(code)) out += *held;
        text.remove_prefix(length == 0 ? 1 : length);
    }
    return out;
}

}  // namespace plat
