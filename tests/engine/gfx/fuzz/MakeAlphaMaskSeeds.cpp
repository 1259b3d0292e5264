// Writes the alpha-mask fuzzer's seeds with the masks' own encoders: plain and run-length masks
// of literal and repeated runs, drawn inside the port, across its edges and through a clip.
#include <string>
#include <vector>

#include "engine/regions/Rects.h"
#include "tests/FuzzSeeds.h"
#include "tests/engine/gfx/AlphaMaskEncoders.h"

namespace {

using namespace alphamask;

// The fuzzer's header: x, y, the clip's left, top, right, bottom, flags; then the mask.
Bytes seed(i8 x, i8 y, const Rect16& clip, u8 flags, const Bytes& mask) {
    Bytes out{u8(x), u8(y)};
    for (i16 c : {clip.left, clip.top, clip.right, clip.bottom}) out.push_back(u8(c));
    out.push_back(flags);
    out.insert(out.end(), mask.begin(), mask.end());
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    fuzzseeds::resetFolder(folder);
    std::vector<Bytes> rows;
    for (u8 r = 0; r < 9; ++r) {
        Bytes row;
        for (u8 c = 0; c < 12; ++c) row.push_back(u8(r * 28 + c * 20));
        rows.push_back(row);
    }
    const Bytes plain = plainMask(12, rows);
    // Run-length rows: 12 literal alphas; then 4 literals and a repeat of 8.
    std::vector<Bytes> codedRows;
    for (u8 r = 0; r < 9; ++r) {
        Bytes row{11};
        for (u8 c = 0; c < 12; ++c) row.push_back(u8(255 - c * 20));
        codedRows.push_back(r % 2 ? row : Bytes{3, 10, 60, 120, 250, u8(0x80 | 7), 200});
    }
    const Bytes coded = codedMask(12, codedRows);
    fuzzseeds::save(folder, "plain-inside", seed(4, 5, {0, 0, 40, 24}, 0, plain));
    fuzzseeds::save(folder, "plain-over-the-edge", seed(-5, 20, {}, 2, plain));
    fuzzseeds::save(folder, "coded-clipped", seed(10, 3, {12, 4, 18, 9}, 1, coded));
    fuzzseeds::save(folder, "coded-over-the-edge", seed(34, -4, {}, 3, coded));
    return 0;
}
