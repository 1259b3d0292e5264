// Writes the fuzzers' seed corpora with our own encoder and resource writers: streams of both
// methods over several kinds of data, and groups (plain and compressed), scripts and tables.
#include <fstream>
#include <string>

#include "engine/gfx/sprites/format/ShapeEncoder.h"
#include "tests/engine/gfx/sprites/format/ShapeBytes.h"
#include "tests/FuzzSeeds.h"

namespace {

using namespace testshape;

using fuzzseeds::save;

Bytes streamSeed(ShapeMethod method, const Bytes& data) {
    Bytes seed{u8(method == ShapeMethod::B ? 1 : 0), u8(data.size() >> 8), u8(data.size())};
    const Bytes coded = shapeEncode(method, data);
    seed.insert(seed.end(), coded.begin(), coded.end());
    return seed;
}

Bytes pixels(int n, int run) {
    Bytes b;
    for (int i = 0; i < n; ++i) put16(b, u16((i / run) * 0x0842));
    return b;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    const std::string streams = argv[1], resources = argv[2];
    for (const std::string& folder : {streams, resources}) fuzzseeds::resetFolder(folder);
    const Bytes samples[] = {Bytes{}, Bytes{1, 2, 3}, pixels(300, 9), pixels(2000, 1), Bytes(700, 0x5A)};
    int n = 0;
    for (const Bytes& data : samples) {
        save(streams, "a" + std::to_string(n), streamSeed(ShapeMethod::A, data));
        save(streams, "b" + std::to_string(n), streamSeed(ShapeMethod::B, data));
        ++n;
    }
    // B's table layer, written by hand: a table load, then pair and delta entries.
    Bytes table{0, 0, 12, 1, 1};
    for (int i = 0; i < 32; ++i) table.push_back(u8(i * 5));
    table.insert(table.end(), {193, 0x50, 1, 2, 196, 0x2A, 0xF5, 0x11, 0x22, 0xED, 0x12, 0x34, 0xA0, 0x21});
    save(streams, "b-table", table);

    Frame raw = frame16(3, 2, {1, 2, 3, 4, 5, 6});
    Frame packed{4, 1, 8, 0x0033, {0, 4, 0, 0, 0x80, 4, 0, 0, 0x12, 0x34, 0, 0}};
    const Bytes group = makeGroup({raw, packed, frame16(1, 1, {0x7FFF})});
    save(resources, "group", group);
    save(resources, "group-a", shapeGroupCompress(group, ShapeMethod::A));
    save(resources, "group-b", shapeGroupCompress(group, ShapeMethod::B));
    save(resources, "group-empty", makeGroup({}));
    save(resources, "script", makeScript(100, {10, 20, 30, 40},
                                         {{16, 2, {1, 0, 0, 2, 4, 4}}, {4, 4, {50}}, {3, 6, {2, 1}}, {9, 6, {0, 7}},
                                          {1, 2, {}}, {16, 1, {3, 1, 1}}, {0, 2, {}}}));
    save(resources, "offsets", makeOffsetTable({0, 4, 0xFFFC, 7}));
    return 0;
}
