#include "document/filedialogs/ShowFileDialogs.h"

#include "document/import/FileImport.h"
#include "document/users/EnginePath.h"
#include "framework/filedialogs/mfxCustomFile.h"
#include "framework/language/LanguageTexts.h"

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

std::string chosenWith(const std::string& chosen, const std::string& extension) {
    return chosen.empty() ? chosen : WithExtension(chosen, extension);
}

}  // namespace

std::string ShowOpenFileDialog(mfxWindow* owner, const Paths& paths, u16 kind, const std::string& defaultName) {
    const bool project = kind == kSaveProject;
    EnginePath folder = startFolder(paths, project ? kFolderProjects : kFolderPictures);
    mfxCustomPutFile dialog(title(project ? "SaveProjectTitle" : "SavePictureTitle", "Save").c_str(), 0,
                            folder.empty() ? nullptr : folder.get(), nullptr, nullptr, owner, defaultName,
                            SaveFilters(kind));
    return chosenWith(dialog.GetFileName(), project ? ProjectExtension() : PictureExtension());
}

bool ShowImportFileDialog(mfxWindow* owner, const Paths& paths, u16 kind, ImportChoice* choice) {
    *choice = ImportChoice{};
    const u16 start = kind == kImportProject ? kFolderProjects : kFolderUser;
    EnginePath folder = startFolder(paths, start);
    mfxCustomGetFile dialog(title("ImportTitle", "Open").c_str(), 0, folder.empty() ? nullptr : folder.get(), nullptr,
                            nullptr, owner, ImportFilters(kind));
    if (dialog.GetFileName().empty()) return false;
    choice->path = dialog.GetFileName();
    choice->fileType = FileTypeOfName(choice->path);
    return true;
}

std::string ShowExportFileDialog(mfxWindow* owner, const Paths& paths, u16 kind, const std::string& defaultName) {
    const bool jpeg = kind == kExportJpeg;
    EnginePath folder = startFolder(paths, jpeg ? kFolderPictures : kFolderProjects);
    mfxCustomPutFile dialog(title("ExportTitle", "Export").c_str(), 0, folder.empty() ? nullptr : folder.get(), nullptr,
                            nullptr, owner, defaultName, ExportFilters(kind));
    return chosenWith(dialog.GetFileName(), jpeg ? "jpg" : "mov");
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
