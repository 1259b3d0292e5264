#pragma once
// A clean scratch folder per test, inside the build tree.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace spelltest {

inline std::filesystem::path scratch(const std::string& name) {
    std::filesystem::path p = std::filesystem::path(SPELL_TEST_SCRATCH) / name;
    std::filesystem::remove_all(p);
    std::filesystem::create_directories(p);
    return p;
}

inline std::string readText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace spelltest
