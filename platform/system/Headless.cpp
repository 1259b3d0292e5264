#include "platform/system/Headless.h"

#include <cstdlib>
#include <cstring>

namespace plat {
namespace {

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

}  // namespace

bool headlessAskedFor() {
    const char* asked = std::getenv("TUMBLO_HEADLESS");
    return asked && std::strcmp(asked, "1") == 0;
}

bool headlessRequested() { return headlessAskedFor() || (!isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY")); }

}  // namespace plat
