#include "contentgen/content/Cp1252.h"

#include <array>
#include <utility>

namespace {

// The characters of 0x80-0x9F that are not Latin-1 control codes.
constexpr std::array<std::pair<char32_t, unsigned char>, 27> kHigh = {{
    {0x20AC, 0x80}, {0x201A, 0x82}, {0x0192, 0x83}, {0x201E, 0x84}, {0x2026, 0x85}, {0x2020, 0x86}, {0x2021, 0x87},
    {0x02C6, 0x88}, {0x2030, 0x89}, {0x0160, 0x8A}, {0x2039, 0x8B}, {0x0152, 0x8C}, {0x017D, 0x8E}, {0x2018, 0x91},
    {0x2019, 0x92}, {0x201C, 0x93}, {0x201D, 0x94}, {0x2022, 0x95}, {0x2013, 0x96}, {0x2014, 0x97}, {0x02DC, 0x98},
    {0x2122, 0x99}, {0x0161, 0x9A}, {0x203A, 0x9B}, {0x0153, 0x9C}, {0x017E, 0x9E}, {0x0178, 0x9F},
}};

}  // namespace

std::optional<std::string> utf8ToCp1252(const std::string& utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        char32_t code = 0;
        size_t length = 0;
        if (c < 0x80) code = c, length = 1;
        else if ((c & 0xE0) == 0xC0) code = c & 0x1F, length = 2;
        else if ((c & 0xF0) == 0xE0) code = c & 0x0F, length = 3;
        else if ((c & 0xF8) == 0xF0) code = c & 0x07, length = 4;
        else return std::nullopt;
        if (i + length > utf8.size()) return std::nullopt;
        for (size_t k = 1; k < length; ++k) {
            const unsigned char cc = static_cast<unsigned char>(utf8[i + k]);
            if ((cc & 0xC0) != 0x80) return std::nullopt;
            code = (code << 6) | (cc & 0x3F);
        }
        i += length;
        if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
            out.push_back(char(code));
            continue;
        }
        bool found = false;
        for (const auto& [unicode, byte] : kHigh)
            if (unicode == code) out.push_back(char(byte)), found = true;
        if (!found) return std::nullopt;
    }
    return out;
}
