#include "document/filedialogs/ShowFileDialogs.h"

#include "document/filedialogs/ImportStartFolder.h"
#include "document/import/FileImport.h"
#include "document/users/EnginePath.h"
#include "framework/filedialogs/mfxCustomFile.h"
#include "framework/windows/mfxWindow.h"
#include "framework/language/LanguageTexts.h"
#include "platform/system/UserFolders.h"

namespace Ostrel {

namespace {

std::string title(const char* key, const char* english) {
    std::string text = LookupLanguageText("FileStrings", key).c_str();
    return text.empty() ? english : text;
}

// The user's folder of the kind; the program folder (an empty path) while no user is chosen.
EnginePath startFolder(const Paths& paths, u16 folder) {
    const std::string text = paths.BuildPath(folder, false);
    return text.empty() ? EnginePath() : EnginePath(text);
}

// The user's folders by the names a child reads: "Mia's Pictures" rather than its engine text,
// and the desktop's home folder as "Home"; listed, each shows by a word of the child's language
// ("Dibujos"), whatever its name on disk. Inside a sentence the user's folder goes by the words a
// sentence uses ("en la carpeta de Mia", where the dialog's title reads "Carpeta de Mia").
std::vector<mfxFilePlace> userPlaces(const Paths& paths, bool inSentence = false) {
    struct Place {
        u16 folder;
        const char* key;      // the place's name, "%s" the user's
        const char* english;
        const char* wordKey;  // the folder's word
        const char* word;
    };
    static constexpr Place kPlaces[] = {
        {kFolderUser, "PlaceUser", "%s's folder", nullptr, nullptr},
        {kFolderPictures, "PlacePictures", "%s's Pictures", "FolderPictures", "Pictures"},
        {kFolderProjects, "PlaceProjects", "%s's Slide Shows", "FolderProjects", "Slide Shows"},
        {kFolderLibSounds, "PlaceSounds", "%s's Sounds", "FolderLibSounds", "Sounds"},
        {kFolderLibPictures, nullptr, nullptr, "FolderLibPictures", "Pictures"},
        {kFolderLibMovies, nullptr, nullptr, "FolderLibMovies", "Movies"},
        {kFolderLibStamps, nullptr, nullptr, "FolderLibStamps", "Stamps"},
        {kFolderLibMovable, nullptr, nullptr, "FolderLibMovable", "Movable Pictures"},
        {kFolderLibStickers, nullptr, nullptr, "FolderLibStickers", "Stickers"},
        {kFolderLibAnimations, nullptr, nullptr, "FolderLibAnimations", "Animations"},
    };
    std::vector<mfxFilePlace> places;
    if (const std::string home = engineTextOfHostFolder(plat::userHomeFolder()); !home.empty())
        places.push_back({home, title("PlaceHome", "Home")});
    if (paths.UserName().empty()) return places;
    for (const Place& place : kPlaces) {
        const char* key = inSentence && place.folder == kFolderUser ? "PlaceUserInText" : place.key;
        std::string name = key ? title(key, place.english) : "";
        if (const size_t at = name.find("%s"); at != std::string::npos) name.replace(at, 2, paths.UserName());
        places.push_back({paths.BuildPath(place.folder, false), name, place.wordKey ? title(place.wordKey, place.word) : ""});
    }
    // The folder holding the user's libraries.
    const std::string sounds = paths.BuildPath(kFolderLibSounds, false);
    places.push_back({sounds.substr(0, sounds.rfind('\\')), "", title("FolderLibrary", "Library")});
    return places;
}

// How far a child's dialog reaches: the child's own folders and `outside`, never the other
// children's folders beside the child's own. Before a user is chosen, every folder.
std::vector<mfxFileReach> childReach(const Paths& paths, const std::vector<std::string>& outside = {}) {
    if (paths.UserName().empty()) return {};
    std::vector<mfxFileReach> reach{{paths.BuildPath(kFolderUsers, false), false},
                                    {paths.BuildPath(kFolderUser, false), true}};
    for (const std::string& folder : outside) reach.push_back({folder, true});
    return reach;
}

// An import dialog is titled as the command that opened it; opening one's own work, "Open".
std::string importTitle(u16 kind) {
    switch (kind) {
    case kImportPictureObject:
    case kImportPicture: return title("AddPictureTitle", "Add a Picture");
    case kImportMovie:
    case kImportMedia: return title("AddMovieTitle", "Add a Movie");
    case kImportBackground: return title("ImportBackgroundTitle", "Import a Background");
    case kImportSoundOrFlash: return title("ImportSoundTitle", "Import a Sound");
    case kImportOwnPicture: return title("LoadPictureTitle", "Load a Picture");
    case kImportPicturesToo: return title("IdeasTitle", "Idea Machine");
    default: return title("ImportTitle", "Open");
    }
}

// The extension below the dialogs of a background, a movie and a sound: its check box asks
// for the file in the child's own library too.
constexpr u16 kLibraryChoiceDialog = 173;
constexpr u16 kAddToLibraryItem = 30;

bool offersLibrary(u16 kind) { return kind == kImportBackground || kind == kImportMovie || kind == kImportSoundOrFlash; }

std::string chosenWith(const std::string& chosen, const std::string& extension) {
    return chosen.empty() ? chosen : WithExtension(chosen, extension);
}

}  // namespace

std::string ShownFolderName(const Paths& paths, const std::string& folder) {
    return mfxFolderShownName(folder, userPlaces(paths, true));
}

std::string ShowSaveFileDialog(mfxWindow* owner, const Paths& paths, u16 kind, const std::string& defaultName) {
    const bool project = kind == kSaveProject;
    EnginePath folder = startFolder(paths, project ? kFolderProjects : kFolderPictures);
    mfxCustomPutFile dialog(title(project ? "SaveProjectTitle" : "SavePictureTitle", "Save").c_str(), 0,
                            folder.empty() ? nullptr : folder.get(), nullptr, nullptr, owner, defaultName,
                            SaveFilters(kind), userPlaces(paths), true, childReach(paths));
    return chosenWith(dialog.GetFileName(), project ? ProjectExtension() : PictureExtension());
}

bool ShowImportFileDialog(mfxWindow* owner, const Paths& paths, u16 kind, ImportChoice* choice,
                          const ImportPreview* preview) {
    *choice = ImportChoice{};
    const std::string start = ImportStartFolder(paths, kind);
    EnginePath folder = start.empty() ? EnginePath() : EnginePath(start);
    struct Shown {
        const ImportPreview* preview;
        plat::WindowHandle window;
    } shown{preview, owner ? owner->GetHandle() : plat::kNoWindow};
    const mfxFileDialogCallback picked = [](const mfxFileDialogEvent& event, void* context) {
        const auto* to = static_cast<const Shown*>(context);
        if (event.kind == kFileEventSelection && event.rect.right > event.rect.left)
            to->preview->draw(event.path, event.value, to->window, event.rect);
    };
    const bool previewed = preview && preview->templateId && preview->draw;
    const u16 extension = previewed ? preview->templateId : offersLibrary(kind) ? kLibraryChoiceDialog : 0;
    // The Idea Machine's pictures go by its name.
    std::vector<mfxFilePlace> places = userPlaces(paths);
    if (kind == kImportPicturesToo) places.push_back({IdeasFolder(paths), title("PlaceIdeas", "Idea Machine")});
    mfxCustomGetFile dialog(importTitle(kind).c_str(), extension, folder.empty() ? nullptr : folder.get(),
                            previewed ? picked : nullptr, previewed ? &shown : nullptr, owner, ImportFilters(kind),
                            std::move(places), childReach(paths, ImportOutsideFolders(paths, kind)),
                            ImportOwnFolder(paths, kind));
    if (dialog.GetFileName().empty()) return false;
    choice->path = dialog.GetFileName();
    choice->option = dialog.GetOption();
    choice->addToLibrary = extension == kLibraryChoiceDialog && dialog.IsTicked(kAddToLibraryItem);
    RememberImportFolder(paths, kind, choice->path);
    choice->fileType = FileTypeOfName(choice->path);
    return true;
}

std::string ShowExportFileDialog(mfxWindow* owner, const Paths& paths, u16 kind, const std::string& defaultName) {
    const bool jpeg = kind == kExportJpeg;
    EnginePath folder = startFolder(paths, jpeg ? kFolderPictures : kFolderProjects);
    mfxCustomPutFile dialog(title("ExportTitle", "Export").c_str(), 0, folder.empty() ? nullptr : folder.get(), nullptr,
                            nullptr, owner, defaultName, ExportFilters(kind), userPlaces(paths), false, childReach(paths));
    return chosenWith(dialog.GetFileName(), jpeg ? "jpg" : "mov");
}

std::string ShowExportFileDialog(mfxWindow* owner, const Paths& paths, std::vector<mfxFileFilter> kinds,
                                 const std::string& defaultName, u16* chosen) {
    EnginePath folder = startFolder(paths, kFolderUser);
    // The dialog numbers its types from 1.
    u16 type = 1;
    const mfxFileDialogCallback typeShown = [](const mfxFileDialogEvent& event, void* context) {
        if ((event.kind == kFileEventInitDone || event.kind == kFileEventTypeChange) && event.value > 0)
            *static_cast<u16*>(context) = event.value;
    };
    mfxCustomPutFile dialog(title("ExportTitle", "Export").c_str(), 0, folder.empty() ? nullptr : folder.get(), typeShown,
                            &type, owner, defaultName, std::move(kinds), userPlaces(paths), true, childReach(paths));
    *chosen = u16(type - 1);
    return dialog.GetFileName();
}

EngineErr ImportFileWithDialog(mfxWindow* owner, const Paths& paths, u16 kind, RPageData& page, const PageRect& rect,
                               RLibrary* library, RPageObject** added) {
    *added = nullptr;
    ImportChoice choice;
    if (!ShowImportFileDialog(owner, paths, kind, &choice)) return kErrNone;
    EnginePath file(choice.path);
    return ImportFileIntoPage(page, file.get(), choice.fileType, rect, library, added);
}

}  // namespace Ostrel
