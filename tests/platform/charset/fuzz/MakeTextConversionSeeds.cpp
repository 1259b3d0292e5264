// Writes the text conversion fuzzer's seeds with the conversions' own writer: every cp1252
// byte as UTF-8, a cut sequence, stray continuation bytes, an overlong form, a surrogate and a
// character past the last, and UTF-16 text of every byte.
#include <string>
#include <vector>

#include "platform/charset/Conversion.h"
#include "tests/FuzzSeeds.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    fuzzseeds::resetFolder(folder);
    std::string every;
    for (int c = 1; c < 256; ++c) every += char(c);
    const std::string utf8 = plat::cp1252ToUtf8(every);
    fuzzseeds::save(folder, "every-byte-utf8", utf8);
    fuzzseeds::save(folder, "cut-sequence", utf8.substr(0, utf8.size() - 1));
    fuzzseeds::save(folder, "damaged", "a\x80\xBF" "b\xC0\xAF" "c\xED\xA0\x80" "d\xF4\x90\x80\x80" "e\xF0\x9F\x98\x80");
    std::vector<uint8_t> utf16;
    for (char16_t unit : plat::cp1252ToUtf16(every)) utf16.insert(utf16.end(), {uint8_t(unit), uint8_t(unit >> 8)});
    fuzzseeds::save(folder, "every-byte-utf16", utf16);
    return 0;
}
