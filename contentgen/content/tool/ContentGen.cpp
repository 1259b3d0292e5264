// contentgen <manifest folder> <program folder> [stamp file]
// Builds the content set and writes what changed into the program folder; the stamp file,
// touched last, tells the build the set is up to date.
#include <chrono>
#include <cstdio>
#include <exception>
#include <fstream>
#include <thread>

#include "contentgen/content/ContentGenerator.h"

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: contentgen <manifest folder> <program folder> [stamp file]\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    try {
        const unsigned threads = std::max(1u, std::min(4u, std::thread::hardware_concurrency()));
        const std::vector<ContentFile> files = generateContent(argv[1], threads);
        std::string error;
        if (!writeContent(files, argv[2], &error)) {
            std::fprintf(stderr, "contentgen: %s\n", error.c_str());
            return 1;
        }
        if (argc == 4) std::ofstream(argv[3], std::ios::trunc) << files.size() << " files\n";
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
        std::printf("contentgen: %zu files in %lld ms\n", files.size(), static_cast<long long>(ms));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "contentgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
