// Writes the packed-rows fuzzer's seeds with our own encoders: 8-bit rows of literals and
// repeats, 16-bit rows with gaps, repeats and empty rows, each behind the fuzzer's header
// (flags, x, y, width, height, clip left and right), drawn straight, cut and mirrored, and
// once with a clip wide enough to let a literal run longer than 128 bytes through.
#include <string>

#include "tests/FuzzSeeds.h"
#include "tests/engine/gfx/PackedEncoders.h"

namespace {

std::vector<u8> withHeader(u8 flags, i8 x, i8 y, u8 width, u8 height, i8 left, i8 right, const std::vector<u8>& rows) {
    std::vector<u8> seed{flags, u8(x), u8(y), u8(width - 1), u8(height - 1), u8(left), u8(right)};
    seed.insert(seed.end(), rows.begin(), rows.end());
    return seed;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    fuzzseeds::resetFolder(folder);

    std::vector<u8> indices;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 40; ++x) indices.push_back(x % 13 < 5 ? u8(y) : u8(x * 7 + y));
    const std::vector<u8> rows8 = encodePacked8(indices, 40, 6);

    Packed16 p;
    p.row(2, {{1, 2, 3}, {4}, std::vector<u16>(30, 0x1234)}, {4, 0, 1}).emptyRows(2).repeatRow(35, 0x7C00, 3);
    p.row(0, {std::vector<u16>(70, 0x03E0)}, {0});

    int n = 0;
    for (u8 flags : {0, 2, 4, 6, 8}) {
        fuzzseeds::save(folder, "rows8-" + std::to_string(n), withHeader(flags, 3, 2, 40, 6, -10, 60, rows8));
        fuzzseeds::save(folder, "rows8-cut-" + std::to_string(n), withHeader(flags, -5, -1, 40, 6, 7, 30, rows8));
        ++n;
    }
    fuzzseeds::save(folder, "rows16", withHeader(1, 2, 1, 72, 5, -10, 60, p.bytes));
    fuzzseeds::save(folder, "rows16-cut", withHeader(9, -6, 3, 72, 5, 5, 41, p.bytes));
    fuzzseeds::save(folder, "rows16-wide", withHeader(1, 2, 1, 72, 5, -10, 127, p.bytes));
    return 0;
}
