#pragma once
// What every fuzz target's seed maker does: empties the seed folder that ctest hands to the
// fuzzer and writes into it the inputs our own writers made.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <utility>
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

// A seed that is text, as the files it stands for are.
inline void save(const std::string& folder, const std::string& name, const std::string& text) {
    save(folder, name, std::vector<uint8_t>(text.begin(), text.end()));
}

// The seeds of one maker, each made by a writer of ours into bytes() and then kept under
// folder/subfolder/name. A writer refusing its own seed is a fault: it is reported, nothing is
// saved for it, and ok() turns false so that the maker fails.
class WrittenSeeds {
public:
    explicit WrittenSeeds(std::string folder) : folder_(std::move(folder)) {}
    std::vector<uint8_t>* bytes() { return &bytes_; }
    // `writerResult` is the writer's error code, 0 when it wrote.
    void keep(int writerResult, const std::string& subfolder, const std::string& name) {
        if (writerResult != 0) {
            std::fprintf(stderr, "%s/%s: the writer refused it (%d)\n", subfolder.c_str(), name.c_str(), writerResult);
            ok_ = false;
            return;
        }
        save(folder_ + "/" + subfolder, name, bytes_);
    }
    bool ok() const { return ok_; }

private:
    std::string folder_;
    std::vector<uint8_t> bytes_;
    bool ok_ = true;
};

}  // namespace fuzzseeds
