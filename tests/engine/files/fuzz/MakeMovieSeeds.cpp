// Writes the movie atom fuzz seeds: a four-byte distance, then a file holding a movie.
#include <filesystem>
#include <fstream>

#include "tests/engine/files/MovieBytes.h"

using namespace testmovie;

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    std::filesystem::create_directories(argv[1]);
    const Bytes distance = {0, 0, 0x10, 0};
    const Bytes seeds[] = {
        join({distance, movie({track(chunkOffsets("stco", 2, {32, 64}))})}),
        join({distance, atom("ftyp", Bytes(4)), atom("mdat", Bytes(16)),
              movie({track(chunkOffsets("stco", 1, {8})), track(chunkOffsets("co64", 1, {0, 8}))})}),
        join({distance, movie({track(chunkOffsets("stco", 9, {1}))})}),
    };
    int n = 0;
    for (const Bytes& seed : seeds) {
        std::ofstream out(std::filesystem::path(argv[1]) / ("movie" + std::to_string(n++)), std::ios::binary);
        out.write(reinterpret_cast<const char*>(seed.data()), std::streamsize(seed.size()));
    }
    return 0;
}
