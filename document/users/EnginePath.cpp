#include "document/users/EnginePath.h"

namespace Ostrel {

std::string engineTextOfHostFolder(const std::string& host) {
    if (host.empty() || host[0] != '/') return {};
    std::string text = "C:" + host;
    for (char& c : text)
        if (c == '/') c = '\\';
    while (text.size() > 3 && text.back() == '\\') text.pop_back();
    return text;
}

}  // namespace Ostrel
