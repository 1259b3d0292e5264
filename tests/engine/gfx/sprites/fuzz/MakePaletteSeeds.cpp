// Writes the palette fuzzer's seeds: palette resources as the content carries them, big-endian
// first index and count and then four bytes an entry: a few entries, the whole table, and one
// ending at the last entry.
#include <string>
#include <vector>

#include "tests/FuzzSeeds.h"

namespace {

std::vector<uint8_t> palette(uint16_t first, uint16_t count) {
    std::vector<uint8_t> bytes = {uint8_t(first >> 8), uint8_t(first), uint8_t(count >> 8), uint8_t(count)};
    for (uint16_t i = 0; i < count; ++i)
        bytes.insert(bytes.end(), {uint8_t(i * 7), uint8_t(255 - i), uint8_t(i * 3), uint8_t(i & 1)});
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    fuzzseeds::resetFolder(folder);
    fuzzseeds::save(folder, "few", palette(20, 3));
    fuzzseeds::save(folder, "whole", palette(0, 256));
    fuzzseeds::save(folder, "last", palette(250, 6));
    return 0;
}
