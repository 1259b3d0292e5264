#include "platform/system/SystemInfo.h"

#include <cpuid.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace plat {

bool cpuHasMmx() {
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return false;
    return (edx & bit_MMX) != 0;
}

void debugOutput(const char* text) {
    std::fputs(text, stderr);
    std::fflush(stderr);
}

void traceOutput(const char* text) {
    static const bool tracing = [] {
        const char* asked = std::getenv("TUMBLO_TRACE");
        return asked && std::strcmp(asked, "1") == 0;
    }();
    if (tracing) debugOutput(text);
}

}  // namespace plat
