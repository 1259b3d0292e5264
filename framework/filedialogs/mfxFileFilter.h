#pragma once
// A file type of the file dialogs: the label the user picks and the name patterns it shows,
// separated by ";" ("*.tbx;*.bmp"). "*" stands for any run of characters and "?" for one;
// letter case does not count, as the program's own names ignore it.
#include <string>
#include <vector>

struct mfxFileFilter {
    std::string label;
    std::string patterns;
    // The program's own files, of the one pattern "*.<ending>": the list shows each by its
    // name, the picture's or the show's, without the ending.
    bool byName = false;
};

bool mfxFilterMatches(const mfxFileFilter& filter, const std::string& name);
