#include "tools/params/ToolParams.h"

#include <charconv>
#include <string_view>

#include "engine/ini/IniText.h"

namespace {

bool parseNumber(std::string_view text, i32 min, i32 max, i32* out) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    i32 value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < min || value > max) return false;
    *out = value;
    return true;
}

// The whole list or nothing: a list with one bad entry keeps the defaults.
bool parseSizes(std::string_view text, std::vector<i16>* out) {
    std::vector<i16> sizes;
    for (;;) {
        size_t comma = text.find(',');
        i32 size = 0;
        if (!parseNumber(text.substr(0, comma), 1, kToolMaxSize, &size) || sizes.size() == kToolMaxSizes) return false;
        sizes.push_back(i16(size));
        if (comma == std::string_view::npos) break;
        text = text.substr(comma + 1);
    }
    *out = std::move(sizes);
    return true;
}

void parseSound(std::string_view text, u16* out) {
    i32 id = 0;
    if (parseNumber(text, 0, 65535, &id)) *out = u16(id);
}

}  // namespace

ToolParams toolParamsFromPairs(const IniPairs& pairs) {
    ToolParams params;
    for (const auto& [key, value] : pairs) {
        if (iniNamesEqual(key, kToolParamSizes)) parseSizes(value, &params.sizes);
        else if (iniNamesEqual(key, kToolParamStartSound)) parseSound(value, &params.startSound);
        else if (iniNamesEqual(key, kToolParamStrokeSound)) parseSound(value, &params.strokeSound);
        else if (iniNamesEqual(key, kToolParamEndSound)) parseSound(value, &params.endSound);
        else if (iniNamesEqual(key, kToolParamFullSpeed)) parseNumber(value, 1, 100000, &params.fullSpeed);
    }
    return params;
}

ToolParams readToolParams(const Path* profile, const char* section) {
    if (!profile || !section) return ToolParams{};
    return toolParamsFromPairs(iniReadSection(profile, section));
}
