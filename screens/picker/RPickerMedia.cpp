// Slides made of pictures, movies, animations and sounds from outside (Add > Add Graphic and
// Add > Add Movie on the picker): each becomes a page file of its own beside the project,
// named after the file it was made of.
#include <cstring>

#include "app/application/RApplication.h"
#include "app/menus/MenuCommands.h"
#include "document/filetypes/RFileTypes.h"
#include "document/import/FileImport.h"
#include "document/project/RDocument.h"
#include "document/users/EnginePath.h"
#include "engine/files/OsFiles.h"
#include "engine/files/OsServices.h"
#include "engine/files/UniqueFileName.h"
#include "framework/alerts/ShowAlert.h"
#include "framework/controls/RBMOBitmapScroller.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/language/LanguageTexts.h"
#include "screens/picker/PickerCommands.h"
#include "screens/picker/RPicker.h"
#include "screens/picker/UndoPicker.h"

namespace Ostrel {

namespace {

void mediaError(EngineErr err) {
    const char* key = err == kOsErrDiskFull ? "VolumeFull" : "GeneralFileErr";
    ShowAlert(LookupLanguageText("FileStrings", key).c_str(), nullptr, kAlertOk | kAlertIconStop);
}

// The name the slide's page takes: the file's own without its folder and extension.
std::string baseName(std::string name) {
    if (const size_t slash = name.find_last_of("\\/"); slash != std::string::npos) name.erase(0, slash + 1);
    if (const size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.erase(dot);
    return name;
}

}  // namespace

void RPicker::AskForMedia(u16 command) {
    if (!Document() || !strip_ || !files_.chooseMedia) return;
    if (command != kCmdAddGraphic && command != kCmdAddMovie) return;
    const std::string path = files_.chooseMedia(command == kCmdAddGraphic ? kImportPicture : kImportMedia);
    if (path.empty()) return;
    // A picture the child saved in the program is a page already, which the slide copies.
    if (command == kCmdAddGraphic && EnsureNativeExtension(path) == path)
        AddPictureAsSlide(path, FirstFreePlace());
    else
        AddMediaAsSlide(path, command == kCmdAddGraphic ? MediaSlideKind::Picture : MediaSlideKind::AnyMedia);
}

bool RPicker::AddMediaAsSlide(const std::string& path, MediaSlideKind kind) {
    RDocument* document = Document();
    if (!document || !strip_) return false;
    const u16 place = FirstFreePlace();
    const Path* project = document->Config().GetPath();
    if (place == 0 || !project) return false;
    Rect16 canvas{0, 0, 0, 0};
    if (RApplication* app = GetApplication()) app->GetCanvasRect(&canvas);
    if (canvas.right <= canvas.left || canvas.bottom <= canvas.top) canvas = {0, 0, i16(kPageWidth), i16(kPageHeight)};
    auto page = std::make_unique<RPage>(PageSettings{}, std::string(), place);
    if (EngineErr err = FillMediaSlide(page->Data(), path, FileTypeOfName(path), kind, canvas)) {
        mediaError(err);
        return false;
    }
    EnginePath folder;
    EnginePath file;
    char name[kSystemTextSize] = {};
    std::strncpy(name, baseName(path).c_str(), sizeof name - 1);
    EngineErr err = pathJoin(folder.get(), project, "..")->record ? kErrNone : kOsErrBadPath;
    if (!err) err = MakeUniqueFileName(folder.get(), name, sizeof name, kPictureExtension, file.get(), 0, nullptr, nullptr, 0);
    if (!err) err = page->SaveToFile(file.get());
    const bool saved = !err;
    char text[kSystemTextSize] = {};
    if (!err) err = pathGetFullText(file.get(), text);
    if (!err) {
        page->SetFileName(name);
        page->SetFilePath(text);
        page->ReleaseData();
        err = document->PlacePage(place, std::move(page));
    }
    if (err) {
        // A page file no slide names is not left behind.
        if (saved) osDeletePath(file.get());
        mediaError(err);
        return false;
    }
    ShowPlacedSlide(place);
    return true;
}

}  // namespace Ostrel
