#include "app/dialogs/EnteredNames.h"

namespace Ostrel {

bool isUsableEnteredName(std::string_view name) {
    if (name.empty() || name.size() > kMaxEnteredNameBytes || name == "." || name == "..") return false;
    for (char c : name) {
        const u8 byte = u8(c);
        if (byte < 0x20 || byte == 0x7F || c == '/' || c == '\\' || c == ':') return false;
    }
    return true;
}

char refusedEnteredCharacter(std::string_view name) {
    if (name == "." || name == "..") return '.';
    const size_t at = name.find_first_of("/\\:");
    return at == std::string_view::npos ? 0 : name[at];
}

}  // namespace Ostrel
