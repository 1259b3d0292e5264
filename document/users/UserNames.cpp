#include "document/users/UserNames.h"

namespace Ostrel {

bool isValidEntryName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '/' || c == '\\' || c == ':') return false;
    }
    return true;
}

bool isValidUserName(std::string_view name) { return name.size() <= kMaxUserName && isValidEntryName(name); }

}  // namespace Ostrel
