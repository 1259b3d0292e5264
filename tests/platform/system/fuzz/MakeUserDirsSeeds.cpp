// Writes the user-dirs fuzzer's seeds: the file as the desktop writes it, a folder outside the
// home folder, escaped quotes, and lines cut short.
#include <string>

#include "tests/FuzzSeeds.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    fuzzseeds::resetFolder(folder);
    fuzzseeds::save(folder, "desktop",
                    "# This file is written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                    "XDG_PICTURES_DIR=\"$HOME/Pictures\"\nXDG_MUSIC_DIR=\"$HOME/Music\"\n");
    fuzzseeds::save(folder, "absolute", "XDG_PICTURES_DIR=\"/srv/photos/\"\n");
    fuzzseeds::save(folder, "escaped", "  XDG_PICTURES_DIR = \"$HOME/My \\\"best\\\" \\\\ pictures\"\r\n");
    fuzzseeds::save(folder, "cut", "XDG_PICTURES_DIR=\"$HOME/Pic");
    return 0;
}
