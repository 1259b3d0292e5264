#pragma once
// An IMA ADPCM decoder written straight from the format's published description, one
// nibble at a time, with its own copy of the step table: the yardstick for the engine's.
#include <algorithm>
#include <cstdint>
#include <vector>

namespace imaref {

constexpr int16_t kSteps[89] = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,    25,    28,    31,
    34,    37,    41,    45,    50,    55,    60,    66,    73,    80,    88,    97,    107,   118,   130,   143,
    157,   173,   190,   209,   230,   253,   279,   307,   337,   371,   408,   449,   494,   544,   598,   658,
    724,   796,   876,   963,   1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,  2272,  2499,  2749,  3024,
    3327,  3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,  9493,  10442, 11487, 12635, 13899,
    15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};
constexpr int kIndexChanges[8] = {-1, -1, -1, -1, 2, 4, 6, 8};

struct Channel {
    int predictor = 0;
    int index = 0;
};

inline int16_t decodeNibble(Channel& c, int nibble) {
    const int step = kSteps[c.index];
    int diff = step >> 3;
    if (nibble & 4) diff += step;
    if (nibble & 2) diff += step >> 1;
    if (nibble & 1) diff += step >> 2;
    c.predictor += (nibble & 8) ? -diff : diff;
    c.predictor = std::clamp(c.predictor, -32768, 32767);
    c.index = std::clamp(c.index + kIndexChanges[nibble & 7], 0, 88);
    return int16_t(c.predictor);
}

// The whole data from frame 0: mono high nibble first; stereo left in the high nibble.
inline std::vector<int16_t> decode(const std::vector<uint8_t>& data, uint32_t frames, int channels,
                                   Channel* states = nullptr) {
    Channel local[2];
    Channel* c = states ? states : local;
    std::vector<int16_t> out;
    for (uint32_t f = 0; f < frames; ++f) {
        if (channels == 1) {
            const uint8_t byte = data[f / 2];
            out.push_back(decodeNibble(c[0], f % 2 == 0 ? byte >> 4 : byte & 15));
        } else {
            out.push_back(decodeNibble(c[0], data[f] >> 4));
            out.push_back(decodeNibble(c[1], data[f] & 15));
        }
    }
    return out;
}

}  // namespace imaref
