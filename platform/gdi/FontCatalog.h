#pragma once
// The machine's fonts as the program sees them, through fontconfig: finding the file for a
// face name, style and size (a face the machine lacks maps to the closest installed one, the
// name "DEFAULT" to the default sans-serif face), and listing the installed families.
// Names cross this boundary in cp1252. User-interface thread only.
#include <cstdint>
#include <string>
#include <vector>

namespace plat::gdi {

struct FontFile {
    std::string path;
    int index = 0;
    std::string family;  // cp1252
};

struct FontStyle {
    int32_t weight = 400;
    bool italic = false;
    friend bool operator==(const FontStyle&, const FontStyle&) = default;
};

struct FontFamily {
    std::string name;  // cp1252
    bool fixedPitch = false;
    bool trueType = false;  // scalable outlines
    // Writes words: every file has the letters of Spanish (and English) text. Maths, symbol,
    // dingbat and emoji families are not text faces.
    bool textFace = false;
    std::vector<FontStyle> styles;
};

// False only when the machine has no font at all.
bool findFontFile(const std::string& face, int32_t weight, bool italic, FontFile& out);
// Sorted by name; each family once, with its styles from lightest and upright.
std::vector<FontFamily> listFontFamilies();

// Fonts the program brings along: a font file (host path) offered to every later lookup for
// the rest of the run, or until the private fonts are removed. False when the file is not a
// font the machine can read.
bool addPrivateFont(const std::string& hostPath);
void removePrivateFonts();

}  // namespace plat::gdi
