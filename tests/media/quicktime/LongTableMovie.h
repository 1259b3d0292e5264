#pragma once
// A movie of a kilobyte or two that claims eighty million samples: a still movie as our own
// writer flattens it (one JPEG in its mdat), the count of its sample-size table raised. A
// demuxer that believes the count reserves gigabytes for its tables and index.
#include <algorithm>
#include <cstdint>
#include <vector>

namespace movietest {

inline constexpr uint32_t kClaimedSamples = 0x05000000;

// False when the movie has no sample-size table.
inline bool claimManySamples(std::vector<uint8_t>& movie) {
    static constexpr uint8_t kTable[] = {'s', 't', 's', 'z'};
    const auto at = std::search(movie.begin(), movie.end(), std::begin(kTable), std::end(kTable));
    // The type, then version and flags, the common sample size, and the count.
    const size_t count = size_t(at - movie.begin()) + 12;
    if (at == movie.end() || count + 4 > movie.size()) return false;
    for (int i = 0; i < 4; ++i) movie[count + size_t(i)] = uint8_t(kClaimedSamples >> (24 - 8 * i));
    return true;
}

}  // namespace movietest
