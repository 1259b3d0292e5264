// libFuzzer target: any bytes given to the library-header reader are refused or read; what was
// read keeps the reader's promises (ids 1 .. next id - 1, each once) and is written again to
// the same bytes. Each input is also read with its entry count fitted to its length.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "document/storage/LibraryHeader.h"
#include "tests/document/storage/fuzz/StorageFuzzing.h"

namespace {

using storagefuzz::require;

void readAndCheck(std::span<const u8> input) {
    LibraryHeader parsed;
    if (!storagefuzz::roundTrip(input, &parsed, parseLibraryHeader, writeLibraryHeader)) return;
    require(parsed.entries.size() <= kLibraryMaxEntries);
    std::vector<bool> given(parsed.nextId, false);
    for (const LibraryEntry& e : parsed.entries) {
        require(e.id >= 1 && e.id < parsed.nextId && !given[e.id]);
        given[e.id] = true;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const u8> input(data, size);
    readAndCheck(input);
    readAndCheck(storagefuzz::withFittedCount(input, {8, 2, kLibraryHeaderSize, kLibraryEntrySize}));
    return 0;
}
