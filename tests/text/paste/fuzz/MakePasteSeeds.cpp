// Writes seed clipboard texts for the fuzz target: line ends of every kind, tabs and controls,
// cp1252 letters and the C1 controls of its unassigned bytes.
#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    const std::string seeds[] = {"", "one\r\ntwo", "one\ntwo\n", "a\rb", "tab\there\x01\x7F", "caf\xE9 \xBF\xA1",
                                 "\r\n\r\n\n\r", "c1\x81\x8D\x9D"};
    int n = 0;
    for (const std::string& seed : seeds)
        std::ofstream(folder / ("seed" + std::to_string(n++)), std::ios::binary).write(seed.data(), std::streamsize(seed.size()));
    return 0;
}
