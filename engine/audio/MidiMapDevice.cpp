#include <cctype>
#include <string>

#include "engine/audio/AudioDeviceEntry.h"
#include "engine/audio/MidiMap.h"

namespace {

constexpr i32 kMinTargetId = -64;
constexpr i32 kMaxTargetId = 63;
constexpr size_t kMaxInfoLength = 64;

void skipSpaces(std::string_view text, size_t* at) {
    while (*at < text.size() && (text[*at] == ' ' || text[*at] == '\t')) ++*at;
}

bool readSeparator(std::string_view text, size_t* at) {
    skipSpaces(text, at);
    const size_t start = *at;
    while (*at < text.size() && (text[*at] == ',' || text[*at] == ';' || text[*at] == ':')) ++*at;
    return *at > start;
}

// A signed decimal number of at most 6 digits.
bool readSigned(std::string_view text, size_t* at, i32* value) {
    skipSpaces(text, at);
    bool negative = false;
    if (*at < text.size() && (text[*at] == '-' || text[*at] == '+')) negative = text[(*at)++] == '-';
    const size_t start = *at;
    i32 result = 0;
    while (*at < text.size() && std::isdigit(u8(text[*at])) && *at - start < 6) result = result * 10 + (text[(*at)++] - '0');
    if (*at == start) return false;
    *value = negative ? -result : result;
    return true;
}

const std::string* findValue(const IniPairs& entries, std::string_view key) {
    for (const auto& [k, v] : entries)
        if (k == key) return &v;
    return nullptr;
}

bool setupFromTarget(const MidiMapSettings& settings, const std::string& targetValue, MidiDeviceSetup* setup) {
    size_t at = 0;
    i32 id = 0;
    if (!readSigned(targetValue, &at, &id) || id < kMinTargetId || id > kMaxTargetId || id == 0) return false;
    const std::string* info = findValue(settings.targetDeviceInfo, std::to_string(id));
    if (!info || !midiMapParseDeviceInfo(*info, setup)) return false;
    setup->targetId = id;
    return true;
}

}  // namespace

bool midiMapParseDeviceInfo(std::string_view value, MidiDeviceSetup* setup) {
    if (value.size() > kMaxInfoLength) return false;
    MidiDeviceSetup result = *setup;
    size_t at = 0;
    skipSpaces(value, &at);
    if (value.size() - at < 16) return false;
    for (int channel = 0; channel < 16; ++channel) {
        const char c = char(std::toupper(u8(value[at + channel])));
        result.muted[channel] = false;
        if (c >= '0' && c <= '9') {
            result.channelMap[channel] = u8(c - '0');
        } else if (c >= 'A' && c <= 'F') {
            result.channelMap[channel] = u8(c - 'A' + 10);
        } else if (c == 'X') {
            result.channelMap[channel] = u8(channel);
            result.muted[channel] = true;
        } else {
            return false;
        }
    }
    at += 16;
    if (at < value.size() && value[at] != ' ' && value[at] != '\t' && value[at] != ',' && value[at] != ';' &&
        value[at] != ':')
        return false;
    i32 percussion = 0;
    if (!readSeparator(value, &at) || !readSigned(value, &at, &percussion) || percussion < 1 || percussion > 16)
        return false;
    result.percussion = u8(percussion - 1);
    *setup = result;
    return true;
}

MidiDeviceSetup midiMapDeviceSetup(const MidiMapSettings& settings, const plat::MidiOutCaps& caps) {
    MidiDeviceSetup setup;
    for (u8 c = 0; c < 16; ++c) setup.channelMap[c] = c;
    std::vector<std::string> names;
    for (const auto& entry : settings.targetDevices) names.push_back(entry.first);
    char found[256];
    if (audioFindDeviceEntry(names, found, sizeof found, caps.productName, caps.driverVersion) == kErrNone) {
        if (const std::string* target = findValue(settings.targetDevices, found)) setupFromTarget(settings, *target, &setup);
        return setup;
    }
    if (caps.technology == plat::kMidiTechPort) {
        if (const std::string* target = findValue(settings.targetDevices, "unknown device (port)"))
            setupFromTarget(settings, *target, &setup);
        return setup;
    }
    for (u32 voices = caps.notes; voices >= 1; --voices) {
        const std::string key = "unknown device (" + std::to_string(voices) + "+ voices)";
        const std::string* target = findValue(settings.targetDevices, key);
        if (target && setupFromTarget(settings, *target, &setup)) break;
    }
    return setup;
}
