#include "document/pages/PageSettings.h"

#include <charconv>
#include <cstdio>

namespace Ostrel {

namespace {

// The next comma-separated field as a number no larger than `max`; false leaves the default.
bool nextField(const std::string& entry, size_t* at, u32 max, u32* value) {
    if (*at >= entry.size()) return false;
    size_t end = entry.find(',', *at);
    if (end == std::string::npos) end = entry.size();
    u32 read = 0;
    const auto [stop, err] = std::from_chars(entry.data() + *at, entry.data() + end, read);
    const bool ok = err == std::errc() && stop == entry.data() + end && read <= max;
    *at = end + 1;
    if (ok) *value = read;
    return ok;
}

template <typename Field>
void readField(const std::string& entry, size_t* at, Field* field) {
    u32 value = 0;
    if (nextField(entry, at, Field(~Field(0)), &value)) *field = Field(value);
}

}  // namespace

bool parsePageEntry(const std::string& entry, std::string* fileName, PageSettings* settings) {
    const size_t comma = entry.find(',');
    const std::string name = entry.substr(0, comma);
    if (name.empty() || name.size() > kPageFileNameMax) return false;
    PageSettings read;
    if (comma != std::string::npos) {
        size_t at = comma + 1;
        readField(entry, &at, &read.playSounds);
        readField(entry, &at, &read.readAloud);
        readField(entry, &at, &read.transitionEffect);
        readField(entry, &at, &read.transitionOption);
        readField(entry, &at, &read.timingSeconds);
        readField(entry, &at, &read.timingMode);
        readField(entry, &at, &read.noSound);
    }
    *fileName = name;
    *settings = read;
    return true;
}

std::string formatPageEntry(const std::string& fileName, const PageSettings& s) {
    char settings[64];
    std::snprintf(settings, sizeof settings, ",%u,%u,%u,%u,%u,%u,%u", s.playSounds, s.readAloud, s.transitionEffect,
                  s.transitionOption, s.timingSeconds, s.timingMode, s.noSound);
    return fileName + settings;
}

}  // namespace Ostrel
