#include "spell/SplCompat.h"

#include <initializer_list>

namespace {

struct Row {
    u8 word;
    u32 classes;  // bit c set: class c accepts the word
};

constexpr u32 bits(std::initializer_list<int> list) {
    u32 mask = 0;
    for (int c : list) mask |= 1u << c;
    return mask;
}

constexpr Row kRows[] = {
    {1, bits({1})},
    {2, bits({1, 2})},
    {3, bits({1, 2, 3, 11})},
    {5, bits({1, 5})},
    {6, bits({1, 2, 5, 6})},
    {7, bits({1, 2, 3, 5, 6, 7, 11})},
    {9, bits({9})},
    {10, bits({9, 10})},
    {11, bits({9, 10, 11})},
    {16, bits({16})},
    {20, bits({16, 20})},
};

}  // namespace

bool compatfl(u32 wordFlags, u32 entryClass) {
    if (entryClass > 31) return false;
    for (const Row& row : kRows)
        if (row.word == wordFlags) return (row.classes >> entryClass) & 1u;
    return false;
}
