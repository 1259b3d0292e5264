#include "app/strings/format/StringListFormat.h"

#include <cstring>

namespace Ostrel {

std::vector<std::string> parseStringList(std::span<const u8> bytes) {
    std::vector<std::string> names;
    if (bytes.empty()) return names;
    const size_t count = bytes[0];
    size_t at = 1;
    while (names.size() < count && at < bytes.size()) {
        const void* end = std::memchr(bytes.data() + at, 0, bytes.size() - at);
        if (!end) break;
        const size_t length = size_t(static_cast<const u8*>(end) - (bytes.data() + at));
        names.emplace_back(reinterpret_cast<const char*>(bytes.data() + at), length);
        at += length + 1;
    }
    return names;
}

}  // namespace Ostrel
