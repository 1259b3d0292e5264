#pragma once
// A visible text of a stored menu or dialog: the key under which the language files hold it
// and the text shown when the key is empty or the language files lack it.
#include <string>

constexpr size_t kMaxTextKeyLength = 63;
constexpr size_t kMaxFallbackLength = 255;

struct TextRef {
    std::string key;
    std::string fallback;
    friend bool operator==(const TextRef&, const TextRef&) = default;
};
