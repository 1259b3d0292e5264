#include "engine/audio/AudioDeviceEntry.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "engine/ini/IniProfiles.h"

namespace {

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(u8(x)) == std::tolower(u8(y));
           });
}

// Reads digits at `at`; false when there are none or the number passes `max`.
bool readNumber(std::string_view text, size_t* at, u32 max, u32* value) {
    const size_t start = *at;
    u32 result = 0;
    while (*at < text.size() && std::isdigit(u8(text[*at]))) {
        result = result * 10 + u32(text[*at] - '0');
        if (result > max) return false;
        ++*at;
    }
    if (*at == start) return false;
    *value = result;
    return true;
}

}  // namespace

bool audioParseDeviceNumber(std::string_view text, u32 max, u32* value) {
    size_t at = 0;
    return readNumber(text, &at, max, value) && at == text.size();
}

bool audioDeviceEntryMatches(std::string_view entry, std::string_view deviceName, u16 version) {
    std::string_view name = entry;
    std::string_view rest;
    bool prefix = false;
    if (!entry.empty() && (entry[0] == '"' || entry[0] == '\'')) {
        const size_t close = entry.find(entry[0], 1);
        if (close == std::string_view::npos) return false;
        prefix = entry[0] == '\'';
        name = entry.substr(1, close - 1);
        rest = entry.substr(close + 1);
    }
    const bool nameMatches = equalIgnoringCase(name, deviceName) ||
                             (prefix && name.size() <= deviceName.size() &&
                              equalIgnoringCase(name, deviceName.substr(0, name.size())));
    if (!nameMatches) return false;
    if (version == 0 || rest.empty()) return true;

    size_t at = 0;
    u32 major = 0, minor = 0;
    if (rest[at++] != ';' || !readNumber(rest, &at, 255, &major)) return false;
    if (at >= rest.size() || rest[at++] != '.' || !readNumber(rest, &at, 255, &minor)) return false;
    const u16 wanted = u16((major << 8) | minor);
    const char sign = at < rest.size() ? rest[at] : 0;
    if (sign == '+') return version >= wanted;
    if (sign == '-') return version <= wanted;
    return version == wanted;
}

EngineErr audioFindDeviceEntry(const std::vector<std::string>& entries, char* out, u16 size, std::string_view deviceName,
                               u16 version) {
    for (const std::string& entry : entries) {
        if (!audioDeviceEntryMatches(entry, deviceName, version)) continue;
        if (entry.size() + 1 > size) return kIniErrTooLong;
        std::memcpy(out, entry.c_str(), entry.size() + 1);
        return kErrNone;
    }
    return kIniErrNotFound;
}
