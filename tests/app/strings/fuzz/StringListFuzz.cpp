// libFuzzer target: any bytes read as a packed name list give at most the count byte's number
// of names, each a NUL-free run of the bytes after the count, back to back in order.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "app/strings/format/StringListFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::string> names = Ostrel::parseStringList(std::span<const u8>(data, size));
    if (size == 0) {
        if (!names.empty()) std::abort();
        return 0;
    }
    if (names.size() > data[0]) std::abort();
    size_t at = 1;
    for (const std::string& name : names) {
        // Each name and its terminator lie inside the bytes, where the last one ended.
        if (at + name.size() >= size) std::abort();
        if (name.find('\0') != std::string::npos) std::abort();
        if (std::memcmp(data + at, name.data(), name.size()) != 0 || data[at + name.size()] != 0) std::abort();
        at += name.size() + 1;
    }
    return 0;
}
