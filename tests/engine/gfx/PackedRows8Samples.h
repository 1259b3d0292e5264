#pragma once
// Packed 8-bit pictures for the tests of their walkers and writers: random rows of runs up to
// the longest the format has, and the same rows damaged in one row in each way a picture can
// be, after any number of that row's runs.
#include <random>
#include <vector>

#include "PackedEncoders.h"
#include "engine/base/ByteOrder.h"
#include "engine/base/EngineTypes.h"

// Runs of up to 128 indices, repeats (a third of them of index 0) and literals, some rows
// reaching past the picture's width.
inline std::vector<u8> randomPackedRows8(std::mt19937& random, u16 width, u16 height) {
    std::vector<u8> out;
    for (u16 y = 0; y < height; ++y) {
        std::vector<u8> runs;
        const u32 reach = width + random() % 3 * 40;
        for (u32 x = 0; x < reach;) {
            const u32 n = 1 + random() % (random() % 4 ? 40 : 128);
            if (random() % 2) {
                runs.push_back(u8(0x80 | (n - 1)));
                runs.push_back(random() % 3 ? u8(random()) : 0);
            } else {
                runs.push_back(u8(n - 1));
                for (u32 i = 0; i < n; ++i) runs.push_back(u8(random()));
            }
            x += n;
        }
        pushBE16(out, u16(runs.size()));
        out.insert(out.end(), runs.begin(), runs.end());
    }
    return out;
}

enum class RowDamage8 {
    kCountCut,            // the data ends inside the row's count
    kCountPastData,       // the data ends before the row's count does
    kRepeatWithoutIndex,  // a repeat's header is the row's last byte
    kLiteralPastRow,      // a literal holds more indices than the row has left
};
constexpr RowDamage8 kRowDamages8[] = {RowDamage8::kCountCut, RowDamage8::kCountPastData, RowDamage8::kRepeatWithoutIndex,
                                       RowDamage8::kLiteralPastRow};

// Where the rows of sound packed 8-bit data start, and where each row's runs start.
struct PackedRows8Layout {
    std::vector<size_t> rows;
    std::vector<std::vector<size_t>> runs;
};

inline PackedRows8Layout layoutPackedRows8(const std::vector<u8>& data) {
    PackedRows8Layout layout;
    for (size_t at = 0; at + 2 <= data.size();) {
        const size_t end = at + 2 + readBE16(data.data() + at);
        layout.rows.push_back(at);
        layout.runs.emplace_back();
        for (size_t run = at + 2; run < end; run += data[run] & 0x80 ? 2 : 2 + (data[run] & 0x7F))
            layout.runs.back().push_back(run);
        at = end;
    }
    return layout;
}

// How many places a row can take `kind` at: after each count of its runs, none to all.
inline size_t damagePlaces8(const PackedRows8Layout& layout, size_t row, RowDamage8 kind) {
    return kind == RowDamage8::kCountCut ? 1 : layout.runs[row].size() + 1;
}

// `data` with row `row` damaged after its first `runs` runs (none for kCountCut); the rows
// after it stay, but for the cuts of the data. `variant` picks how long the damaged literal
// says it is and how many of its indices are there.
inline std::vector<u8> damagePackedRows8(const std::vector<u8>& data, const PackedRows8Layout& layout, size_t row,
                                         size_t runs, RowDamage8 kind, u32 variant = 0) {
    const size_t start = layout.rows[row];
    const size_t damageAt = runs < layout.runs[row].size() ? layout.runs[row][runs]
                            : row + 1 < layout.rows.size() ? layout.rows[row + 1]
                                                           : data.size();
    switch (kind) {
    case RowDamage8::kCountCut: return std::vector<u8>(data.begin(), data.begin() + start + 1);
    case RowDamage8::kCountPastData: return std::vector<u8>(data.begin(), data.begin() + damageAt);
    default: break;
    }
    std::vector<u8> damaged(data.begin(), data.begin() + start);
    std::vector<u8> tail(data.begin() + start + 2, data.begin() + damageAt);
    if (kind == RowDamage8::kRepeatWithoutIndex) {
        tail.push_back(u8(0x80 | variant % 128));
    } else {
        const u32 n = 1 + variant % 128;
        tail.push_back(u8(n - 1));
        for (u32 i = 0; i < variant / 128 % n; ++i) tail.push_back(u8(0xC0 + i));
    }
    pushBE16(damaged, u16(tail.size()));
    damaged.insert(damaged.end(), tail.begin(), tail.end());
    if (row + 1 < layout.rows.size()) damaged.insert(damaged.end(), data.begin() + layout.rows[row + 1], data.end());
    return damaged;
}
