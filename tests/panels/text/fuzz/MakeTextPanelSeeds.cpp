// Writes seed records for the fuzz target: the 24 words as "user.ini" gives them back, two
// bytes a word, lower byte first.
#include <filesystem>
#include <fstream>

#include "panels/text/record/TextPanelRecord.h"

namespace {

void put(const std::filesystem::path& path, const Ostrel::tTextPanelSaveData& record) {
    std::ofstream out(path, std::ios::binary);
    for (i16 word : record) {
        const char bytes[2] = {char(u16(word) & 0xFF), char(u16(word) >> 8)};
        out.write(bytes, 2);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    put(folder / "chosen", Ostrel::writeTextPanelRecord({2, "DejaVu Sans", 24, 1, {0, 1, 2, 3}}));
    put(folder / "long-name", Ostrel::writeTextPanelRecord({0, std::string(31, 'n'), 7, 0, {}}));
    Ostrel::tTextPanelSaveData missing{};
    missing.fill(Ostrel::kPrefsNotStored);
    put(folder / "missing", missing);
    return 0;
}
