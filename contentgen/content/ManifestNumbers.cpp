#include "contentgen/content/ManifestNumbers.h"

#include <cstdint>

#include "contentgen/content/ArtPainter.h"

using nlohmann::json;

namespace {

int64_t wholeNumberIn(const json& value, int64_t low, int64_t high, const std::string& what) {
    const bool fits = value.is_number_unsigned() ? value.get<uint64_t>() <= uint64_t(high)
                                                 : value.is_number_integer() && value.get<int64_t>() >= low;
    if (!fits || value.get<int64_t>() < low || value.get<int64_t>() > high)
        throw ArtError(what + " " + value.dump() + " is not a whole number from " + std::to_string(low) + " to " +
                       std::to_string(high));
    return value.get<int64_t>();
}

}  // namespace

u16 manifestU16(const json& value, const std::string& what) { return u16(wholeNumberIn(value, 0, 0xFFFF, what)); }

i16 manifestI16(const json& value, const std::string& what) { return i16(wholeNumberIn(value, -32768, 32767, what)); }
