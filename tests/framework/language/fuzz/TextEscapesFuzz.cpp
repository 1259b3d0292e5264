// libFuzzer target: any stored value, as the text reader hands it over (zero-terminated, at
// most 1023 bytes), decodes without reading past its end into a text no longer than itself in
// which every line feed and byte 248 came from its escape.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/language/LanguageTexts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string raw(reinterpret_cast<const char*>(data), std::min<size_t>(size, kLanguageTextSize - 1));
    raw = raw.c_str();
    const std::string text = ApplyTextEscapes(raw.c_str());
    if (text.size() > raw.size()) std::abort();
    const auto count = [](const std::string& s, char c) { return std::count(s.begin(), s.end(), c); };
    const bool noEscapes = raw.find("\\n") == std::string::npos && raw.find("\\o") == std::string::npos;
    if (noEscapes && (count(text, '\n') != count(raw, '\n') || count(text, char(248)) != count(raw, char(248))))
        std::abort();
    return 0;
}
