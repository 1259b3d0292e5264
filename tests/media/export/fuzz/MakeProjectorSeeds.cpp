// Writes player files into the folder given: a few program bytes, movies of several lengths
// and our writer's trailer, one with a trailer that names more than the file holds.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "media/export/ProjectorTrailer.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    std::filesystem::create_directories(argv[1]);
    const struct {
        u32 movie, named;
    } seeds[] = {{0, 0}, {16, 16}, {300, 300}, {16, 4000}};
    int n = 0;
    for (const auto& seed : seeds) {
        std::vector<u8> file(64, 0x7F);
        file.insert(file.end(), seed.movie, 'F');
        u8 trailer[kProjectorTrailerSize];
        WriteProjectorTrailer(seed.named, trailer);
        file.insert(file.end(), trailer, trailer + kProjectorTrailerSize);
        std::ofstream(std::string(argv[1]) + "/seed" + std::to_string(n++), std::ios::binary)
            .write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    }
    return 0;
}
