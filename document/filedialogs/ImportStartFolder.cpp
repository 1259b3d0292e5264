#include "document/filedialogs/ImportStartFolder.h"

#include <vector>

#include "document/filetypes/RFileTypes.h"
#include "document/users/EnginePath.h"
#include "document/users/IdeaPictures.h"
#include "engine/files/FolderEntries.h"
#include "framework/language/LanguageTexts.h"
#include "platform/system/UserFolders.h"

namespace Ostrel {

namespace {

// The user's own folder of a kind, or kFromDesktop for files from outside the program.
constexpr u16 kFromDesktop = 0xFFFF;

u16 startOf(u16 kind) {
    switch (kind) {
    case kImportPicturesToo: return kFolderIdeas;
    case kImportPictureObject:
    case kImportBackground:
    case kImportMovie:
    case kImportPicture:
    case kImportMedia: return kFromDesktop;
    case kImportProject: return kFolderProjects;
    case kImportSoundOrFlash: return kFolderLibSounds;
    default: return kFolderPictures;
    }
}

// The folder a file from outside was last chosen from in this run.
std::string& lastOutsideFolder() {
    static std::string folder;
    return folder;
}

// A folder that can be listed, also through a link (a pictures folder kept on another disk).
bool isFolder(const std::string& text) {
    std::vector<FolderEntry> entries;
    return !text.empty() && listFolderEntries(text, &entries) == kErrNone;
}

}  // namespace

std::string IdeasFolder(const Paths& paths) {
    return paths.BuildPath(kFolderIdeas, true) + IdeasLanguageFolder(CurrentLanguage());
}

std::string ImportStartFolder(const Paths& paths, u16 kind) {
    const u16 start = startOf(kind);
    if (start == kFolderIdeas) return IdeasFolder(paths);
    if (start != kFromDesktop) return paths.BuildPath(start, false);
    if (isFolder(lastOutsideFolder())) return lastOutsideFolder();
    const std::string pictures = engineTextOfHostFolder(plat::userPicturesFolder());
    return isFolder(pictures) ? pictures : paths.BuildPath(kFolderPictures, false);
}

std::vector<std::string> ImportOutsideFolders(const Paths& paths, u16 kind) {
    if (startOf(kind) == kFolderIdeas) return {IdeasFolder(paths)};
    if (startOf(kind) != kFromDesktop) return {};
    return {ImportStartFolder(paths, kind), engineTextOfHostFolder(plat::userPicturesFolder())};
}

void RememberImportFolder(u16 kind, const std::string& chosenFile) {
    const size_t cut = chosenFile.rfind('\\');
    if (startOf(kind) != kFromDesktop || cut == std::string::npos) return;
    // A file at a drive's root keeps its separator: "C:\".
    lastOutsideFolder() = chosenFile.substr(0, cut == 2 ? cut + 1 : cut);
}

}  // namespace Ostrel
