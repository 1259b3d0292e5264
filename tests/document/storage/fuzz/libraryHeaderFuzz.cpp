// libFuzzer target: any bytes given to the reader are refused or read; what was read is
// written again and must give back the same bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "document/storage/LibraryHeader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LibraryHeader parsed;
    const std::span<const u8> input(data, size);
    if (parseLibraryHeader(input, &parsed) != kErrNone) return 0;
    std::vector<u8> again;
    if (writeLibraryHeader(parsed, &again) != kErrNone) std::abort();
    if (!std::equal(again.begin(), again.end(), input.begin(), input.end())) std::abort();
    return 0;
}
