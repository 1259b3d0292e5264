// libFuzzer target: any bytes given to the cursor reader are refused or read; what was read is
// written again and must give back the same bytes.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "framework/format/CursorFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CursorRecord parsed;
    const std::span<const u8> input(data, size);
    if (parseCursorResource(input, &parsed) != kErrNone) return 0;
    std::vector<u8> again;
    if (writeCursorResource(parsed, &again) != kErrNone) std::abort();
    if (!std::equal(again.begin(), again.end(), input.begin(), input.end())) std::abort();
    return 0;
}
