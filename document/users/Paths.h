#pragma once
// The folder table: every folder the program reads or writes, by number. Program data lies
// beside the executable; each user's work lies under the desktop's data folder
// (<data>/tumblo4/Users/<name>/ with Pictures, Slide Shows and Library), and the writable
// copy of the settings file "TB.ini" under the desktop's settings folder. Texts are engine
// texts ("C:\..."); a folder of the current user is empty while no user is selected.
#include <string>

#include "engine/base/EngineTypes.h"
#include "engine/files/Paths.h"

namespace Ostrel {

enum FolderNumber : u16 {
    kFolderDemoMovies = 6,
    kFolderGuide = 15,      // the user guide and the installed settings
    kFolderSettings = 16,   // the writable "TB.ini"
    kFolderUsers = 18,
    kFolderUser = 19,       // the current user's own folder
    kFolderPictures = 20,
    kFolderProjects = 21,
    kFolderLibPictures = 22,
    kFolderLibMovies = 23,
    kFolderLibSounds = 24,
    kFolderLibStamps = 25,
    kFolderLibMovable = 26,
    kFolderLibStickers = 27,
    kFolderLibAnimations = 28,
    // The libraries installed with the program.
    kFolderProgLibPictures = 36,
    kFolderProgLibSounds = 38,
    kFolderProgLibStamps = 39,
    kFolderProgLibStickers = 41,
    kFolderProgLibAnimations = 42,
    // The pictures the Idea Machine offers to start from, a folder per language.
    kFolderIdeas = 44,
};

constexpr const char* kSettingsFileName = "TB.ini";

struct FolderRoots {
    std::string program;   // the executable's folder
    std::string data;      // the program's folder under the desktop's data folder
    std::string settings;  // the program's folder under the desktop's settings folder
};

class Paths {
public:
    explicit Paths(FolderRoots roots);
    // The roots of this machine: beside the executable, and the XDG folders.
    static FolderRoots RootsOfThisMachine();

    // Makes the settings and users folders, and the writable "TB.ini" from the installed
    // one when there is none yet. 0 on success, else the error start-up reports, with the
    // engine text of the folder that could not be made or written into in `failedFolder`.
    EngineErr ResolveDataFolders(std::string* failedFolder = nullptr);
    // Makes the named user current, making that user's folders when the user is new.
    EngineErr SelectUserFolder(const std::string& name);
    const std::string& UserName() const { return user_; }
    // The text of the program's own folder, which holds its lexicons.
    const std::string& ProgramFolder() const { return roots_.program; }
    // No user is current any more; the user's folders are empty texts again.
    void ForgetUser() { user_.clear(); }

    std::string BuildPath(u16 folder, bool trailingSeparator) const;
    // The path of a folder; an empty path and an error for an unknown or unset folder.
    EngineErr GetPath(Path* path, u16 folder) const;
    std::string GetPicturesDir() const { return BuildPath(kFolderPictures, false); }
    std::string GetProjectPath(const std::string& name) const;
    // The user's library folder for a media kind; empty for a kind without one.
    std::string GetUserMediaDir(FourCC type) const;
    // The installed library folder for a media kind; empty for a kind without one.
    std::string GetLibraryFolderPath(FourCC type) const;
    std::string SettingsFile() const { return BuildPath(kFolderSettings, true) + kSettingsFileName; }
    // The settings as installed with the program: what the writable file starts as.
    std::string InstalledSettingsFile() const { return BuildPath(kFolderGuide, true) + kSettingsFileName; }

private:
    FolderRoots roots_;
    std::string user_;
};

// Makes the folder and every missing folder above it.
EngineErr makeFolders(const std::string& text);

}  // namespace Ostrel
