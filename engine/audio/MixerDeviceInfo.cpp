#include "engine/audio/MixerDeviceInfo.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace {

constexpr u32 kMaxBuffers = 256;
constexpr u32 kMaxFramesPerBuffer = 65536;

bool equalsIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(u8(x)) == std::tolower(u8(y));
           });
}

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace

bool mixerParseDeviceInfo(const std::string& value, MixerDeviceInfo* info) {
    if (equalsIgnoringCase(trimmed(value), "not supported")) {
        info->notSupported = true;
        return true;
    }
    long numbers[6] = {};
    int count = 0;
    const char* p = value.c_str();
    while (count < 6) {
        while (*p == ' ' || *p == '\t') ++p;
        char* end = nullptr;
        const long number = std::strtol(p, &end, 10);
        if (end == p) break;
        numbers[count++] = number;
        p = end;
        while (*p == ' ' || *p == '\t') ++p;
        if (*p != ',' && *p != ';' && *p != ':') break;
        while (*p == ',' || *p == ';' || *p == ':') ++p;
    }
    if (count < 3) return false;
    const auto unsignedOf = [](long n) { return u32(std::clamp<long>(n, 0, 0x7FFFFFFF)); };
    info->buffers = unsignedOf(numbers[0]);
    info->framesPerBuffer = unsignedOf(numbers[1]);
    info->leadFrames = unsignedOf(numbers[2]);
    if (count > 3) info->startupFillFrames = unsignedOf(numbers[3]);
    if (count > 4) info->rateOverride = unsignedOf(numbers[4]);
    if (count > 5) info->sizeOverride = u16(std::clamp<long>(numbers[5], 0, 0x7FFF));
    return true;
}

MixerDeviceInfo mixerFindDeviceInfo(const std::vector<std::pair<std::string, std::string>>& entries,
                                    const std::string& productName) {
    MixerDeviceInfo info;
    for (const char* wanted : {productName.c_str(), "default"}) {
        for (const auto& [key, value] : entries) {
            if (equalsIgnoringCase(trimmed(key), wanted) && mixerParseDeviceInfo(value, &info)) return info;
        }
    }
    return info;
}

void mixerClampDeviceInfo(MixerDeviceInfo* info, u16 blockAlign) {
    // Every buffer holds at least one 8-byte group of frames, as the mixing granularity needs.
    const u32 group = blockAlign < 8 ? 8u / blockAlign : 1u;
    info->buffers = std::clamp<u32>(info->buffers, 2, kMaxBuffers);
    info->framesPerBuffer = std::clamp<u32>(info->framesPerBuffer, group, kMaxFramesPerBuffer) / group * group;
    const u32 ring = info->buffers * info->framesPerBuffer;
    info->leadFrames = std::clamp<u32>(info->leadFrames, 1, ring - info->framesPerBuffer);
    info->startupFillFrames = std::min(info->startupFillFrames, ring - info->framesPerBuffer);
}
