// Writes the stored-region fuzzer's seeds: regions in their stored big-endian form, written
// field by field, each followed by the rectangles of a sound region to meet it. Sound lists,
// lists with overlapping, inverted, empty and out-of-order rectangles, long lists whose
// intersections take the joined paths, and lists at both ends of the coordinates.
#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "engine/regions/Regions.h"
#include "tests/FuzzSeeds.h"

namespace {

void put16(std::vector<u8>& out, u16 v) {
    out.push_back(u8(v >> 8));
    out.push_back(u8(v));
}

void putRect(std::vector<u8>& out, const Rect16& r) {
    for (i16 v : {r.left, r.top, r.right, r.bottom}) put16(out, u16(v));
}

// The length, the stored record of `rects` (capacity `spare` beyond the count), then `meet`.
std::vector<u8> seed(const std::vector<Rect16>& rects, const std::vector<Rect16>& meet, u16 spare = 0) {
    std::vector<u8> record;
    for (u8 c : {'R', 'G', 'N', ' '}) record.push_back(c);
    Rect16 bounds = rects.empty() ? Rect16{} : rects.front();
    for (const Rect16& r : rects) bounds = {std::min(bounds.left, r.left), std::min(bounds.top, r.top), std::max(bounds.right, r.right),
                                            std::max(bounds.bottom, r.bottom)};
    putRect(record, bounds);
    put16(record, u16(rects.size() + spare));
    put16(record, u16(rects.size()));
    for (const Rect16& r : rects) putRect(record, r);
    for (u16 i = 0; i < spare; ++i) putRect(record, Rect16{});
    std::vector<u8> out;
    put16(out, u16(record.size()));
    out.insert(out.end(), record.begin(), record.end());
    for (const Rect16& r : meet) putRect(out, r);
    return out;
}

std::vector<Rect16> scattered(unsigned seedValue, int count, i16 origin) {
    std::mt19937 random(seedValue);
    std::vector<Rect16> rects;
    for (int k = 0; k < count; ++k) {
        const i16 left = i16(origin + int(random() % 200)), top = i16(origin + int(random() % 200));
        rects.push_back(Rect16{left, top, i16(left + 4 + int(random() % 30)), i16(top + 4 + int(random() % 30))});
    }
    return rects;
}

// A grid of touching cells in top order: a sound region's list.
std::vector<Rect16> grid(int columns, int rows, i16 origin) {
    std::vector<Rect16> rects;
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < columns; ++x)
            rects.push_back(Rect16{i16(origin + 10 * x), i16(origin + 7 * y), i16(origin + 10 * x + 6), i16(origin + 7 * y + 7)});
    return rects;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    fuzzseeds::resetFolder(folder);
    const std::vector<Rect16> meet = scattered(3, 12, 0);

    fuzzseeds::save(folder, "sound-grid", seed(grid(8, 10, 0), meet, 5));
    fuzzseeds::save(folder, "sound-long", seed(grid(12, 12, 0), scattered(4, 40, 0)));
    fuzzseeds::save(folder, "overlapping", seed(scattered(5, 30, 0), meet));
    std::vector<Rect16> reversed = grid(6, 6, 0);
    std::reverse(reversed.begin(), reversed.end());
    fuzzseeds::save(folder, "out-of-order", seed(reversed, meet));
    fuzzseeds::save(folder, "inverted-and-empty", seed({{5, 5, 1, 9}, {0, 6, 0, 8}, {2, 7, 9, 7}, {1, 8, 30, 40}}, meet));
    fuzzseeds::save(folder, "repeated", seed(std::vector<Rect16>(20, Rect16{3, 3, 40, 40}), meet));
    fuzzseeds::save(folder, "low-end", seed(grid(5, 5, INT16_MIN), scattered(6, 10, INT16_MIN)));
    fuzzseeds::save(folder, "high-end", seed(grid(5, 5, i16(INT16_MAX - 60)), scattered(7, 10, i16(INT16_MAX - 250))));
    fuzzseeds::save(folder, "count-past-capacity", [&] {
        std::vector<u8> s = seed(grid(2, 2, 0), meet);
        s[2 + 15] = 9;  // count 9 in a record with room for 4
        return s;
    }());
    return 0;
}
