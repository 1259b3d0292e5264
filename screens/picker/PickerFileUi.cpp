#include "screens/picker/PickerFileUi.h"

#include "app/application/RApplication.h"
#include "app/menus/RShellWindow.h"
#include "document/filedialogs/ShowFileDialogs.h"

namespace Ostrel {

namespace {

mfxWindow* mainWindow() {
    RApplication* app = GetApplication();
    return app ? app->GetMainWindow() : nullptr;
}

std::string importPath(u16 kind) {
    RApplication* app = GetApplication();
    ImportChoice choice;
    if (!app || !app->GetPaths() || !ShowImportFileDialog(mainWindow(), *app->GetPaths(), kind, &choice)) return {};
    return choice.path;
}

}  // namespace

PickerFileUi defaultPickerFileUi() {
    PickerFileUi ui;
    ui.saveProject = [](const std::string& defaultName) -> std::string {
        RApplication* app = GetApplication();
        if (!app || !app->GetPaths()) return {};
        return ShowSaveFileDialog(mainWindow(), *app->GetPaths(), kSaveProject, defaultName);
    };
    ui.openProject = [] { return importPath(kImportProject); };
    // A slide is a picture of the child's own, opened as it was saved: other files are not
    // offered, as they could not be read as one.
    ui.choosePicture = [] { return importPath(kImportOwnPicture); };
    ui.chooseMedia = [](u16 kind) { return importPath(kind); };
    return ui;
}

}  // namespace Ostrel
