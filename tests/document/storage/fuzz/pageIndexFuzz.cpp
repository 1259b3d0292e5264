// libFuzzer target: any bytes given to the page-index reader are refused or read; what was
// read keeps the reader's promises (page kinds only, rectangles the right way round, each kind
// and id once, drawing orders 0..count-1 each once) and is written again to the same bytes.
// Each input is also read with its object count fitted to its length.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "document/storage/ObjectTypes.h"
#include "document/storage/PageIndex.h"
#include "tests/document/storage/fuzz/StorageFuzzing.h"

namespace {

using storagefuzz::require;

void readAndCheck(std::span<const u8> input) {
    PageIndex parsed;
    if (!storagefuzz::roundTrip(input, &parsed, parsePageIndex, writePageIndex)) return;
    require(parsed.entries.size() <= kPageIndexMaxObjects);
    std::vector<bool> drawn(parsed.entries.size(), false);
    for (size_t i = 0; i < parsed.entries.size(); ++i) {
        const PageIndexEntry& e = parsed.entries[i];
        require(isPageObjectType(e.type) && e.left <= e.right && e.top <= e.bottom);
        require(e.order < drawn.size() && !drawn[e.order]);
        drawn[e.order] = true;
        for (size_t j = i + 1; j < parsed.entries.size(); ++j)
            require(parsed.entries[j].type != e.type || parsed.entries[j].id != e.id);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const u8> input(data, size);
    readAndCheck(input);
    readAndCheck(storagefuzz::withFittedCount(input, {4, 2, kPageIndexHeaderSize, kPageIndexEntrySize}));
    return 0;
}
