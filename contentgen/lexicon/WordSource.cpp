#include "contentgen/lexicon/WordSource.h"

#include <fstream>
#include <iterator>

#include "spell/SplCodePage.h"

namespace {

struct Special {
    unsigned codePoint;
    unsigned char cp1252;
};

// Code page 1252's characters in 0x80-0x9F that the character set holds.
constexpr Special kSpecials[] = {{0x2014, 0x97}, {0x0178, 0x9F}};

int cp1252Of(unsigned codePoint) {
    if (codePoint < 0x80) return int(codePoint);
    if (codePoint >= 0xA0 && codePoint <= 0xFF) return int(codePoint);
    for (const Special& s : kSpecials)
        if (s.codePoint == codePoint) return s.cp1252;
    return -1;
}

}  // namespace

bool utf8ToSet1(const std::string& utf8, std::string* set1) {
    set1->clear();
    for (size_t i = 0; i < utf8.size();) {
        unsigned char b = static_cast<unsigned char>(utf8[i]);
        unsigned cp;
        int extra;
        if (b < 0x80) cp = b, extra = 0;
        else if ((b & 0xE0) == 0xC0) cp = b & 0x1F, extra = 1;
        else if ((b & 0xF0) == 0xE0) cp = b & 0x0F, extra = 2;
        else if ((b & 0xF8) == 0xF0) cp = b & 0x07, extra = 3;
        else return false;
        if (extra > 0 && i + size_t(extra) >= utf8.size()) return false;
        for (int k = 1; k <= extra; ++k) {
            unsigned char c = static_cast<unsigned char>(utf8[i + size_t(k)]);
            if ((c & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        i += size_t(extra) + 1;
        int cp1252 = cp1252Of(cp);
        if (cp1252 <= 0) return false;
        u8 byte = splFromCp1252(u8(cp1252));
        if (byte == 0) return false;
        set1->push_back(char(byte));
    }
    return true;
}

std::string set1ToUtf8(const std::string& set1) {
    std::string out;
    for (char ch : set1) {
        unsigned c = splToCp1252(u8(ch));
        unsigned cp = c;
        if (c == 0x97) cp = 0x2014;
        if (c == 0x9F) cp = 0x0178;
        if (cp < 0x80) {
            out.push_back(char(cp));
        } else if (cp < 0x800) {
            out.push_back(char(0xC0 | (cp >> 6)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(char(0xE0 | (cp >> 12)));
            out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

bool readWordFile(const std::string& path, std::vector<std::string>* utf8Words) {
    std::ifstream in(path);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
        size_t cut = line.find_first_of("/\t\r");
        if (cut != std::string::npos) line.resize(cut);
        if (!line.empty()) utf8Words->push_back(line);
    }
    return true;
}

namespace {

// The code point of a letter at text[i] and its length in bytes; 0 for anything else.
unsigned letterAt(const std::string& text, size_t i, size_t* width) {
    unsigned char b = static_cast<unsigned char>(text[i]);
    *width = 1;
    if ((b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z')) return b;
    if ((b & 0xE0) != 0xC0 || i + 1 >= text.size()) return 0;
    unsigned cp = ((b & 0x1Fu) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu);
    *width = 2;
    return cp >= 0xC0 && cp <= 0xFF && cp != 0xD7 && cp != 0xF7 ? cp : 0;
}

}  // namespace

bool readTextWords(const std::string& path, std::vector<std::string>* utf8Words) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string word;
    for (size_t i = 0; i <= text.size();) {
        size_t width = 1;
        unsigned cp = i < text.size() ? letterAt(text, i, &width) : 0;
        if (cp == 0) {
            if (!word.empty()) utf8Words->push_back(word);
            word.clear();
            i += width;
            continue;
        }
        // Capitals are A-Z and U+00C0-U+00DE; their small letters lie 32 above.
        if ((cp >= 'A' && cp <= 'Z') || (cp >= 0xC0 && cp <= 0xDE)) cp += 32;
        if (cp < 0x80) word.push_back(char(cp));
        else word += {char(0xC0 | (cp >> 6)), char(0x80 | (cp & 0x3F))};
        i += width;
    }
    return true;
}
