#include "document/filedialogs/ImportStartFolder.h"

#include <vector>

#include "document/filetypes/RFileTypes.h"
#include "document/users/EnginePath.h"
#include "document/users/IdeaPictures.h"
#include "engine/files/FolderEntries.h"
#include "framework/filedialogs/mfxFileReach.h"
#include "framework/language/LanguageTexts.h"
#include "platform/system/UserFolders.h"

namespace Ostrel {

namespace {

// The user's own folder of a kind, or one of the desktop's for files from outside the program.
constexpr u16 kFromPictures = 0xFFFF, kFromMusic = 0xFFFE, kFromVideos = 0xFFFD;

u16 startOf(u16 kind) {
    switch (kind) {
    case kImportPicturesToo: return kFolderIdeas;
    case kImportPictureObject:
    case kImportBackground:
    case kImportPicture: return kFromPictures;
    case kImportMovie:
    case kImportMedia: return kFromVideos;
    case kImportProject: return kFolderProjects;
    case kImportSoundOrFlash: return kFromMusic;
    default: return kFolderPictures;
    }
}

bool fromDesktop(u16 start) { return start == kFromPictures || start == kFromMusic || start == kFromVideos; }

// A desktop without a videos folder has its movies among its pictures.
std::string desktopFolderOf(u16 start) {
    if (start == kFromMusic) return plat::userMusicFolder();
    const std::string videos = start == kFromVideos ? plat::userVideosFolder() : std::string();
    return videos.empty() ? plat::userPicturesFolder() : videos;
}

// The folder a file from outside was last chosen from in this run, pictures, sounds and movies apart.
std::string& lastOutsideFolder(u16 start) {
    static std::string pictures, sounds, movies;
    return start == kFromMusic ? sounds : start == kFromVideos ? movies : pictures;
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
    if (!fromDesktop(start)) return paths.BuildPath(start, false);
    if (isFolder(lastOutsideFolder(start))) return lastOutsideFolder(start);
    const std::string desktop = engineTextOfHostFolder(desktopFolderOf(start));
    if (isFolder(desktop)) return desktop;
    return paths.BuildPath(start == kFromMusic ? kFolderLibSounds : kFolderPictures, false);
}

std::vector<std::string> ImportOutsideFolders(const Paths& paths, u16 kind) {
    const u16 start = startOf(kind);
    if (start == kFolderIdeas) return {IdeasFolder(paths)};
    if (!fromDesktop(start)) return {};
    std::vector<std::string> folders{ImportStartFolder(paths, kind)};
    if (const std::string desktop = desktopFolderOf(start); !desktop.empty()) folders.push_back(engineTextOfHostFolder(desktop));
    return folders;
}

std::string ImportOwnFolder(const Paths& paths, u16 kind) {
    switch (kind) {
    case kImportPictureObject:
    case kImportPicture:
    case kImportMovie:
    case kImportMedia: return paths.BuildPath(kFolderUser, false);
    default: return {};
    }
}

void RememberImportFolder(const Paths& paths, u16 kind, const std::string& chosenFile) {
    const size_t cut = chosenFile.rfind('\\');
    const u16 start = startOf(kind);
    if (!fromDesktop(start) || cut == std::string::npos) return;
    // A file at a drive's root keeps its separator: "C:\".
    const std::string folder = chosenFile.substr(0, cut == 2 ? cut + 1 : cut);
    // Opened there, the next dialog would have no way out of the user's own folder.
    if (!mfxReaches({{paths.BuildPath(kFolderUser, false), true}}, folder)) lastOutsideFolder(start) = folder;
}

}  // namespace Ostrel
