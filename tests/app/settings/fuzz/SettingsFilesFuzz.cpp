// libFuzzer target: any bytes as one of the program's settings files, edited by hand or left
// damaged: the first byte picks the file, the rest is its text.
//  - "user.ini" as the global user settings: flags are 0 or 1, texts end inside their fields,
//    and what is saved reads back the same.
//  - "user.ini" as a panel's record: the numbers it saves over the section read back.
//  - "TB.ini" as the contents table: every item named opens or is refused, one that opens holds
//    its archives until released; and as the language set-up, the extensions of the program's
//    own files, which the save dialogs append to a name.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "document/filetypes/RFileTypes.h"
#include "engine/ini/IniProfiles.h"
#include "engine/resources/ResourceManager.h"
#include "engine/resources/tContents.h"
#include "engine/util/IniReplaceOnce.h"
#include "framework/language/LanguageTexts.h"
#include "tests/app/settings/fuzz/SettingsFiles.h"
#include "tests/engine/ini/fuzz/ScratchProfile.h"
#include "tests/engine/resources/format/ArchiveBytes.h"

namespace {

using namespace Ostrel;
using namespace fuzzsettings;

constexpr size_t kMaxItems = 8;
constexpr u16 kListBytes = 65535;
constexpr u16 kReadOnly = 1;

// A locator that never asks and never ends the program.
class QuietLocator : public tContents {
public:
    using tContents::tContents;
    void ExitProgram(int) override {}
};

bool endsInside(const std::array<char, kGlobalUserTextSize>& text) { return std::memchr(text.data(), 0, text.size()); }

void globalUser(ScratchProfile& scratch) {
    const Paths paths(FolderRoots{});
    GlobalUserSettings read = ResetGlobalUserSettings();
    GlobalUserFile(paths, &read).LoadFrom(scratch.path());
    for (u16 flag : {read.textToSpeech, read.smallKids, read.toolSounds, read.attachedSounds, read.playOnce,
                     read.manualAdvance, read.projectPosition})
        if (flag > 1) std::abort();
    if (!endsInside(read.alphabetText) || !endsInside(read.projectTitle)) std::abort();
    if (GlobalUserFile(paths, &read).SaveTo(scratch.path()) != kErrNone) return;
    scratch.restart();
    GlobalUserSettings back = ResetGlobalUserSettings();
    GlobalUserFile(paths, &back).LoadFrom(scratch.path());
    if (std::memcmp(&back, &read, sizeof read) != 0) std::abort();
}

// A panel keeps its record as numbered keys holding 16-bit numbers, written into its section
// over whatever the section held.
void panelRecord(ScratchProfile& scratch) {
    const Paths paths(FolderRoots{});
    PanelFile file(paths, kPanelSection);
    file.LoadFrom(scratch.path());
    auto& keys = file.GetData();
    std::map<std::string, std::string> record;
    for (size_t i = 0; i < kPanelWords; ++i) {
        const auto found = keys.find(std::to_string(i));
        const size_t seed = found == keys.end() ? i : found->second.size() * 4099 + i;
        record[std::to_string(i)] = std::to_string(i16(u16(seed)));
    }
    for (const auto& [key, value] : record) keys[key] = value;
    // The file is written once, as the panels save their records.
    if (IniReplaceOnce(scratch.path(), [&] { return file.SaveTo(scratch.path()); }) != kErrNone) return;
    scratch.restart();
    PanelFile again(paths, kPanelSection);
    again.LoadFrom(scratch.path());
    for (const auto& [key, value] : record) {
        const auto found = again.GetData().find(key);
        if (found == again.GetData().end() || found->second != value) std::abort();
    }
}

std::vector<std::string> sectionsOf(const Path* profile) {
    std::vector<char> list(kListBytes);
    std::vector<std::string> names;
    if (iniGetString(profile, nullptr, nullptr, list.data(), kListBytes, "") != kErrNone) return names;
    for (size_t at = 0; at < list.size() && list[at] && names.size() < kMaxItems;) {
        names.emplace_back(&list[at]);
        at += names.back().size() + 1;
    }
    return names;
}

void contentsTable(ScratchProfile& scratch) {
    const std::vector<u8>& archive = testres::kEmptyArchive;
    std::ofstream(scratch.folder() + "/" + kContentArchive, std::ios::binary)
        .write(reinterpret_cast<const char*>(archive.data()), std::streamsize(archive.size()));
    Path folder{};
    pathFromText(&folder, "T:\\");
    {
        QuietLocator locator(&folder, &folder, "TB.ini", "TB.cfg");
        for (const std::string& item : sectionsOf(scratch.path())) {
            const u16 code = locator.OpenContent(item.c_str(), kReadOnly);
            if ((code == 0) == locator.ArchivesOf(item.c_str()).empty()) std::abort();
            if (code != 0) continue;
            Path found{};
            if (!locator.FindContentFile(kContentArchive, &found) && !locator.FindContentFile("TB.ini", &found))
                std::abort();
            pathRelease(&found);
            locator.ReleaseContent(item.c_str());
            if (!locator.ArchivesOf(item.c_str()).empty()) std::abort();
        }
    }
    SetupLanguageFolders(&folder, "TB.ini");
    for (const std::string& extension : {PictureExtension(), ProjectExtension()}) {
        if (extension.empty()) std::abort();
        const std::string named = WithExtension("Cat", extension);
        if (WithExtension(named, extension) != named) std::abort();
    }
    if (SaveFilters(kSaveProject).front().patterns != "*." + ProjectExtension()) std::abort();
    pathRelease(&folder);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static ScratchProfile* scratch = [] {
        auto* made = new ScratchProfile("TB.ini");
        if (resInit() != kErrNone) std::abort();
        return made;
    }();
    if (size == 0) return 0;
    scratch->put(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
    switch (data[0] % kFileKinds) {
    case kGlobalUser: globalUser(*scratch); break;
    case kPanelRecord: panelRecord(*scratch); break;
    default: contentsTable(*scratch); break;
    }
    return 0;
}
