// Writes the user-dirs fuzzer's seeds: the file as the desktop writes it, a folder outside the
// home folder, escaped quotes, and lines cut short.
#include <string>
#include <vector>

#include "tests/FuzzSeeds.h"

namespace {

std::vector<uint8_t> bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    fuzzseeds::resetFolder(folder);
    fuzzseeds::save(folder, "desktop",
                    bytes("# This file is written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                          "XDG_PICTURES_DIR=\"$HOME/Pictures\"\nXDG_MUSIC_DIR=\"$HOME/Music\"\n"));
    fuzzseeds::save(folder, "absolute", bytes("XDG_PICTURES_DIR=\"/srv/photos/\"\n"));
    fuzzseeds::save(folder, "escaped", bytes("  XDG_PICTURES_DIR = \"$HOME/My \\\"best\\\" \\\\ pictures\"\r\n"));
    fuzzseeds::save(folder, "cut", bytes("XDG_PICTURES_DIR=\"$HOME/Pic"));
    return 0;
}
