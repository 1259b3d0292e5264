#pragma once
// Encoders of the engine's picture packings, written for the tests only: they build the
// packed 16-bit rows, the run-length 8-bit rows and the LZ streams that the decoders read,
// so that pictures can make the round trip through them.
#include <algorithm>
#include <vector>

#include "engine/base/EngineTypes.h"

inline void pushBE16(std::vector<u8>& v, u16 w) {
    v.push_back(u8(w >> 8));
    v.push_back(u8(w));
}
inline void pushLE16(std::vector<u8>& v, u16 w) {
    v.push_back(u8(w));
    v.push_back(u8(w >> 8));
}
inline void pushBE32(std::vector<u8>& v, u32 w) {
    pushBE16(v, u16(w >> 16));
    pushBE16(v, u16(w));
}

// Packed 16-bit rows built run by run: big-endian headers, machine-order colours.
class Packed16 {
public:
    // A row: leading gap, then runs of colours, each followed by its gap.
    Packed16& row(u16 lead, std::vector<std::vector<u16>> literals, std::vector<u16> gaps) {
        std::vector<u8> runs;
        for (size_t i = 0; i < literals.size(); ++i) {
            pushBE16(runs, u16(literals[i].size()));
            pushBE16(runs, gaps[i]);
            for (u16 c : literals[i]) pushLE16(runs, c);
            while (runs.size() % 4) runs.push_back(0);
        }
        pushBE16(bytes, u16(runs.size() / 4));
        pushBE16(bytes, lead);
        bytes.insert(bytes.end(), runs.begin(), runs.end());
        return *this;
    }
    Packed16& repeatRow(u16 count, u16 colour, u16 gap) {
        pushBE16(bytes, 2);
        pushBE16(bytes, 0);
        pushBE16(bytes, u16(0x8000 + count));
        pushBE16(bytes, gap);
        pushLE16(bytes, colour);
        pushBE16(bytes, 0);
        return *this;
    }
    Packed16& emptyRows(u16 n) {
        pushBE16(bytes, 0);
        pushBE16(bytes, u16(n - 1));
        return *this;
    }
    std::vector<u8> bytes;
};

// Run-length 8-bit rows: repeats for three or more equal indices, literals otherwise.
inline std::vector<u8> encodePacked8(const std::vector<u8>& pixels, size_t width, size_t height) {
    std::vector<u8> out;
    for (size_t y = 0; y < height; ++y) {
        const u8* row = pixels.data() + y * width;
        std::vector<u8> runs;
        size_t x = 0;
        while (x < width) {
            size_t same = 1;
            while (x + same < width && same < 128 && row[x + same] == row[x]) ++same;
            if (same >= 3) {
                runs.push_back(u8(0x80 | (same - 1)));
                runs.push_back(row[x]);
                x += same;
                continue;
            }
            size_t n = 0;
            while (x + n < width && n < 128 && !(x + n + 2 < width && row[x + n] == row[x + n + 1] && row[x + n] == row[x + n + 2])) ++n;
            n = std::max<size_t>(n, 1);
            runs.push_back(u8(n - 1));
            runs.insert(runs.end(), row + x, row + x + n);
            x += n;
        }
        pushBE16(out, u16(runs.size()));
        out.insert(out.end(), runs.begin(), runs.end());
    }
    return out;
}

// A greedy LZ encoder over the decoder's window: matches only reach bytes already written.
inline std::vector<u8> encodeLz(const std::vector<u8>& data, u16 windowBits) {
    const u32 size = 1u << windowBits, mask = size - 1;
    const u32 maxLength = (1u << (16 - windowBits)) + 2;
    u32 pos = (size - maxLength) & mask;
    std::vector<u8> out;
    size_t flagAt = 0;
    int bit = 8;
    for (size_t i = 0; i < data.size();) {
        if (bit == 8) {
            flagAt = out.size();
            out.push_back(0);
            bit = 0;
        }
        size_t bestLength = 0, bestDistance = 0;
        // A match must not overwrite window bytes it has yet to read.
        for (size_t d = 1; d <= std::min<size_t>(i, size - 3); ++d) {
            size_t n = 0, longest = std::min<size_t>(maxLength, size - d);
            while (n < longest && i + n < data.size() && data[i + n - d] == data[i + n]) ++n;
            if (n > bestLength) bestLength = n, bestDistance = d;
        }
        if (bestLength >= 3) {
            u32 source = (pos - u32(bestDistance)) & mask;
            pushBE16(out, u16(((bestLength - 3) << windowBits) | source));
            i += bestLength;
            pos = (pos + u32(bestLength)) & mask;
        } else {
            out[flagAt] |= u8(1u << bit);
            out.push_back(data[i++]);
            pos = (pos + 1) & mask;
        }
        ++bit;
    }
    return out;
}
