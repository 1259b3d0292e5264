// Writes the settings fuzzer's seeds, each its kind byte and then a file our writers made: the
// global user settings and a panel's record saved by their own loaders, and a "TB.ini" with a
// contents table and the language set-up written through the INI writer.
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "tests/FuzzSeeds.h"
#include "tests/app/settings/fuzz/SettingsFiles.h"
#include "tests/engine/ini/fuzz/ScratchProfile.h"

namespace {

using namespace Ostrel;
using namespace fuzzsettings;

using Entries = std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>>;

void keep(ScratchProfile& scratch, const std::string& folder, const std::string& name, FileKind kind) {
    scratch.restart();
    const std::string bytes = char(kind) + scratch.onDisk();
    fuzzseeds::save(folder, name, std::vector<u8>(bytes.begin(), bytes.end()));
    scratch.put("");
}

void writeEntries(ScratchProfile& scratch, const Entries& sections) {
    for (const auto& [section, pairs] : sections)
        for (const auto& [key, value] : pairs)
            if (iniWriteString(scratch.path(), section.c_str(), key.c_str(), value.c_str()) != kErrNone) std::abort();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    fuzzseeds::resetFolder(folder);
    ScratchProfile scratch("TB.ini");
    const Paths paths(FolderRoots{});

    GlobalUserSettings settings = ResetGlobalUserSettings();
    settings.smallKids = 1;
    std::snprintf(settings.alphabetText.data(), settings.alphabetText.size(), "%s", "Tumblo is fun!");
    std::snprintf(settings.projectTitle.data(), settings.projectTitle.size(), "%s", std::string(255, 'p').c_str());
    if (GlobalUserFile(paths, &settings).SaveTo(scratch.path()) != kErrNone) return 1;
    keep(scratch, folder, "global-user", kGlobalUser);

    PanelFile panel(paths, kPanelSection);
    const std::array<i16, kPanelWords> words = {0, 1, -1, 32767, -32768, 7, 3, 2, 1, 0, -2, 100};
    for (size_t i = 0; i < words.size(); ++i) panel.GetData()[std::to_string(i)] = std::to_string(words[i]);
    if (panel.SaveTo(scratch.path()) != kErrNone) return 1;
    keep(scratch, folder, "panel-record", kPanelRecord);

    writeEntries(scratch, {{"Paint", {{"Disc", "1"}, {"File_0", kContentArchive}, {"File_1", kContentArchive}}},
                           {"NoFiles", {{"Disc", "1"}}},
                           {"Gone", {{"Disc", "1"}, {"File_0", "nowhere.arc"}}},
                           {"Disc1_Win", {{"Name", "DISC1"}}},
                           {"FileExtensions", {{"Picture", ".tbx"}, {"Project", "tbp"}}},
                           {"LanguageFiles", {{"English", "TB.ini"}, {"Spanish", "TB.ini"}}}});
    keep(scratch, folder, "program-settings", kProgramSettings);
    return 0;
}
