#include "spell/SplCodePage.h"

#include <array>

namespace {

struct Mapping {
    u8 cp1252;
    u8 set1;
};

// Code page 1252 letters and signs that character set 1 holds above 127.
constexpr Mapping kMappings[] = {
    {0xC7, 128}, {0xFC, 129}, {0xE9, 130}, {0xE2, 131}, {0xE4, 132}, {0xE0, 133}, {0xE5, 134}, {0xE7, 135},
    {0xEA, 136}, {0xEB, 137}, {0xE8, 138}, {0xEF, 139}, {0xEE, 140}, {0xEC, 141}, {0xC4, 142}, {0xC5, 143},
    {0xC9, 144}, {0xE6, 145}, {0xC6, 146}, {0xF4, 147}, {0xF6, 148}, {0xF2, 149}, {0xFB, 150}, {0xF9, 151},
    {0xD6, 153}, {0xDC, 154}, {0xDD, 157}, {0xE1, 160}, {0xED, 161}, {0xF3, 162}, {0xFA, 163}, {0xF1, 164},
    {0xD1, 165}, {0xAA, 166}, {0xBA, 167}, {0xBF, 168}, {0xA1, 173}, {0xAB, 174}, {0xBB, 175}, {0xC0, 176},
    {0xC8, 177}, {0xCC, 178}, {0xD2, 179}, {0xD9, 180}, {0xC1, 181}, {0xCD, 182}, {0xD3, 183}, {0xDA, 184},
    {0xCB, 185}, {0xCF, 186}, {0xC2, 187}, {0xCA, 188}, {0xCE, 189}, {0xD4, 190}, {0xDB, 191}, {0xE3, 194},
    {0xC3, 195}, {0x97, 196}, {0xF5, 198}, {0xD5, 199}, {0xFF, 200}, {0x9F, 201}, {0xF0, 208}, {0xD0, 209},
    {0xDF, 225}, {0xFE, 231}, {0xDE, 232}, {0xFD, 236}, {0xF8, 237}, {0xD8, 233}, {0xB0, 248}, {0xB7, 250},
};

struct Tables {
    std::array<u8, 256> in{}, out{};
};

const Tables& tables() {
    static const Tables t = [] {
        Tables made;
        for (int c = 0; c < 128; ++c) made.in[c] = made.out[c] = u8(c);
        for (const Mapping& m : kMappings) {
            made.in[m.cp1252] = m.set1;
            made.out[m.set1] = m.cp1252;
        }
        return made;
    }();
    return t;
}

}  // namespace

u8 splFromCp1252(u8 c) { return tables().in[c]; }
u8 splToCp1252(u8 c) { return tables().out[c]; }
