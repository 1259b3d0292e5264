#pragma once
// What every fuzz target's seed maker does: writes one input our own writers made into the
// seed folder that ctest hands to the fuzzer.
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace fuzzseeds {

inline void save(const std::string& folder, const std::string& name, const std::vector<uint8_t>& bytes) {
    std::ofstream(folder + "/" + name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

}  // namespace fuzzseeds
