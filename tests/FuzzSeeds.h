#pragma once
// What every fuzz target's seed maker does: empties the seed folder that ctest hands to the
// fuzzer and writes into it the inputs our own writers made.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

namespace fuzzseeds {

// Empties `folder` (made when missing) and makes the given subfolders in it, so that the fuzzer
// starts from this run's seeds alone, never from those of an older build.
inline void resetFolder(const std::string& folder, std::initializer_list<const char*> subfolders = {}) {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    for (const char* sub : subfolders) std::filesystem::create_directories(folder + "/" + sub);
}

inline void save(const std::string& folder, const std::string& name, const std::vector<uint8_t>& bytes) {
    std::ofstream(folder + "/" + name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

}  // namespace fuzzseeds
