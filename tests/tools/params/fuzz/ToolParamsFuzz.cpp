// libFuzzer target: any lines "key=value" of a tool's settings section give parameters within
// their limits: one to sixteen sizes of 1 to 200 pixels and a positive full speed.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tools/params/ToolParams.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    IniPairs pairs;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        size_t equals = line.find('=');
        if (equals != std::string_view::npos) pairs.emplace_back(std::string(line.substr(0, equals)), std::string(line.substr(equals + 1)));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    ToolParams params = toolParamsFromPairs(pairs);
    if (params.sizes.empty() || params.sizes.size() > kToolMaxSizes || params.fullSpeed < 1) std::abort();
    for (i16 s : params.sizes)
        if (s < 1 || s > kToolMaxSize) std::abort();
    return 0;
}
