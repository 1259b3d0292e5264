// Writes seed lists for the fuzz target: an empty list, one of each family, and an old-form one.
#include <filesystem>
#include <fstream>

#include "text/speech/format/PronunciationFormat.h"

namespace {

void put(const std::filesystem::path& path, const std::vector<u8>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    std::vector<u8> bytes;
    encodePronunciations({}, bytes);
    put(folder / "empty", bytes);
    encodePronunciations({{"gif", "jif", 0, 0}, {"queso", "keso", 2, 1}}, bytes);
    put(folder / "both", bytes);
    // The older form: the same entries with the magic and the families left out.
    std::vector<u8> old = {2, 0, 0, 0};
    for (const char* text : {"gif", "jif"}) {
        old.push_back(u8(std::char_traits<char>::length(text)));
        old.insert(old.end(), {0, 0, 0});
        old.insert(old.end(), text, text + std::char_traits<char>::length(text));
    }
    old.insert(old.end(), {0, 0, 0, 0});
    put(folder / "old", old);
    return 0;
}
