#include "engine/ini/IniSection.h"

#include <cstring>

#include "engine/ini/IniProfiles.h"

namespace {

// A section's key list arrives as one block of NUL-separated names; the profile reader cuts a
// longer list at a name's end, and the names that fit are still read.
constexpr u16 kKeyListBytes = 4096;
constexpr u16 kValueBytes = 256;

}  // namespace

bool iniReadFlag(const Path* profile, const char* section, const char* key, bool fallback) {
    u16 value = fallback ? 1 : 0;
    if (iniGetBool(profile, section, key, &value) != kErrNone) return fallback;
    return value != 0;
}

IniPairs iniReadSection(const Path* profile, const char* section) {
    IniPairs pairs;
    std::vector<char> keys(kKeyListBytes, 0);
    const EngineErr listed = iniGetString(profile, section, nullptr, keys.data(), kKeyListBytes, "");
    if (listed != kErrNone && listed != kIniErrTooLong) return pairs;
    const char* end = keys.data() + keys.size();
    for (const char* key = keys.data(); key < end && *key; key += strnlen(key, size_t(end - key)) + 1) {
        char value[kValueBytes] = {};
        if (iniGetString(profile, section, key, value, kValueBytes, "") == kErrNone) pairs.emplace_back(key, value);
    }
    return pairs;
}
