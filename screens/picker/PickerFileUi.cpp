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
    // The child's own pictures, in the Pictures folder, first: as the easel's Open offers them.
    ui.choosePicture = [] { return importPath(kImportPictures); };
    ui.chooseMedia = [](u16 kind) { return importPath(kind); };
    return ui;
}

}  // namespace Ostrel
