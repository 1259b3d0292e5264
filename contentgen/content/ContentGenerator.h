#pragma once
// The whole content set from the manifest folder:
//   layout.json        the 800 x 600 screen plan every screen shares
//   art/*.json         named vector art (icons, characters) the items use
//   texts/*.json       every text in English and Spanish
//   config/*.json      the settings files, one per file ("TB.cfg.json" makes "TB.cfg")
//   items/*.json       one per content item: its name, archive file and resources
//   libraries/*.json   one per library installed with the program (LibraryBuilder.h)
//   movies/*.json      one per demonstration movie (DemoMovieWriter.h)
//   guide/UserGuide.json  the user guide, a PDF for each language (UserGuideWriter.h)
//   ideas/*.json       one per picture the Idea Machine offers (IdeaPictureWriter.h)
// and what it makes, relative to the program folder: "TB.ini" (the settings of
// config/TB.ini.json, the language file names, the canvas rectangles of the layout and
// the table of contents of every item), the other settings files, the two language files
// and the archives under "Data/". Items marked "spanish" get a second archive, "<name>_sp".
// Libraries go under "Library/", outside the table of contents; demonstration movies under
// "Movies/"; the user guides under "Data/"; the Idea Machine's pictures under "Ideas/".
#include <filesystem>
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"

struct ContentFile {
    std::string path;  // relative to the program folder, '/' separated
    std::vector<u8> bytes;
};

constexpr const char* kContentDataFolder = "Data";
constexpr const char* kEnglishTextFile = "English.txt";
constexpr const char* kSpanishTextFile = "Spanish.txt";

// Throws (std::runtime_error and its kin) with a message naming the manifest at fault.
std::vector<ContentFile> generateContent(const std::filesystem::path& manifests, unsigned threads);

// Writes the files that differ from what the folder holds (new file, then rename), so that
// an unchanged file keeps its time. False with a message when a file cannot be written.
bool writeContent(const std::vector<ContentFile>& files, const std::filesystem::path& programFolder, std::string* error);
