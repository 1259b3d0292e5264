// Writes seed stamps for the fuzz target: the smallest, a full grid, a non-square one.
#include <filesystem>
#include <fstream>

#include "app/stampeditor/StampGrid.h"

namespace {

void put(const std::filesystem::path& path, const std::vector<u8>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    Ostrel::StampGrid grid = Ostrel::BlankStamp(1, 1);
    put(folder / "one", Ostrel::BitmapFromStamp(grid));
    grid = Ostrel::BlankStamp(32, 32);
    for (i32 i = 0; i < 32; ++i) grid.At(i, i) = u16(0x7C00 + i);
    put(folder / "full", Ostrel::BitmapFromStamp(grid));
    grid = Ostrel::BlankStamp(20, 7);
    grid.At(19, 6) = 0x001F;
    put(folder / "wide", Ostrel::BitmapFromStamp(grid));
    return 0;
}
