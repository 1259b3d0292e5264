#include "screens/easel/PictureFiles.h"

#include "app/application/RApplication.h"
#include "app/menus/RShellWindow.h"
#include "document/clipboard/CCPObj.h"
#include "document/filedialogs/ShowFileDialogs.h"
#include "document/pages/RPage.h"
#include "document/users/EnginePath.h"
#include "engine/base/MemoryHandles.h"
#include "engine/base/TextUtils.h"
#include "engine/files/OsServices.h"
#include "engine/gfx/GfxBusyCursor.h"
#include "framework/alerts/ShowAlert.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/language/LanguageTexts.h"
#include "framework/undo/UndoManager.h"
#include "screens/easel/CanvasMessages.h"
#include "screens/easel/RCanvas.h"
#include "screens/easel/RCanvasOwner.h"

namespace Ostrel {

const char* saveFailureKey(EngineErr err) {
    switch (err) {
        case kOsErrAccessDenied:
            return "FileLocked";
        case kMemErrOutOfMemory:
            return "NotEnoughMemoryToSave";
        case kOsErrDiskFull:
            return "VolumeFull";
        default:
            return "GeneralFileErr";
    }
}

PictureFiles::PictureFiles(RCanvas& canvas, RCanvasOwner& owner, UndoManager* undo, PictureFileUi ui)
    : canvas_(canvas), owner_(owner), undo_(undo), ui_(std::move(ui)) {}

bool PictureFiles::OpenPicture(const std::string& path) {
    u16 detached = 0;
    bool dropped = false;
    RPage* current = owner_.CurrentPage();
    // Opening the picture that is showing reads it again from its file.
    if (current && current->FileName() == path) {
        detached = owner_.DetachPanel();
        owner_.SetCurrentPage(nullptr);
        dropped = true;
    }
    CCPObj::Clips().DeleteAllButBitmaps();
    if (undo_) undo_->ReleaseCurrent();
    auto page = std::make_unique<RPage>(PageSettings{}, path, 0);
    const EnginePath file(path);
    EngineErr err = kErrNone;
    {
        GfxBusyCursor busy;
        err = file.empty() ? kOsErrNotFound : page->Data().OpenAndLoad(file.get());
    }
    if (!err) {
        if (!dropped) detached = owner_.DetachPanel();
        page->Data().SetUndoManager(undo_);
        RPage* shown = page.get();
        owner_.SetCurrentPage(std::move(page));
        canvas_.RedrawPage(shown, 1);
    }
    if (detached) owner_.AttachPanel();
    if (!err) return true;
    if (ui_.alert) ui_.alert("CantOpenPictureFile", path);
    if (dropped) {
        RMessage newPage(kMsgNewPage, 0, 0);
        canvas_.HandleMessage(&newPage, 0);
    }
    return false;
}

std::string PictureFiles::AskOpenName(u16 kind) const { return ui_.askOpenName ? ui_.askOpenName(kind) : std::string(); }

bool PictureFiles::SavePicture(RPage* page, u16 kind) {
    if (!page) return false;
    const std::string name = ui_.askSaveName ? ui_.askSaveName(kind, page->FileName()) : std::string();
    if (name.empty()) return false;
    if (undo_) undo_->ReleaseCurrent();
    const EngineErr err = SavePageToFile(page, name);
    if (err == kErrNone) {
        page->SetFileName(name);
        return true;
    }
    if (ui_.alert) ui_.alert(saveFailureKey(err), name);
    return false;
}

EngineErr PictureFiles::SavePageToFile(RPage* page, const std::string& path) {
    if (path.empty() || !page) return 1;
    GfxBusyCursor busy;
    const u16 detached = owner_.DetachPanel();
    EngineErr err = canvas_.StorePicture(page);
    if (!err) {
        const EnginePath file(path);
        err = file.empty() ? kOsErrNotFound : page->Data().SaveToFile(file.get());
    }
    // The panel gets the canvas back and the page its objects whatever happened: a failed
    // save leaves the easel as usable as before.
    if (detached) owner_.AttachPanel();
    canvas_.RestoreObjects();
    return err;
}

namespace {

// The file dialogs are modal over the main window; without a window of their own to run in
// they would end at once, as if cancelled.
mfxWindow* dialogOwner() {
    RApplication* app = GetApplication();
    return app ? app->GetMainWindow() : nullptr;
}

}  // namespace

PictureFileUi defaultPictureFileUi(const RCanvasOwner& owner) {
    PictureFileUi ui;
    ui.askSaveName = [&owner](u16 kind, const std::string& defaultName) {
        const Paths* paths = owner.UserPaths();
        if (!paths) return std::string();
        // The dialog offers the file's own name as the list shows it: without its folder and
        // without the ending every picture has.
        const size_t slash = defaultName.find_last_of("\\/");
        std::string name = slash == std::string::npos ? defaultName : defaultName.substr(slash + 1);
        if (const std::string ending = "." + PictureExtension();
            name.size() > ending.size() && strCompareNoCase(name.c_str() + name.size() - ending.size(), ending.c_str()) == 0)
            name.resize(name.size() - ending.size());
        return ShowSaveFileDialog(dialogOwner(), *paths, kind, name);
    };
    ui.askOpenName = [&owner](u16 kind) {
        const Paths* paths = owner.UserPaths();
        ImportChoice choice;
        if (!paths || !ShowImportFileDialog(dialogOwner(), *paths, kind, &choice)) return std::string();
        return choice.path;
    };
    ui.alert = [](const char* key, const std::string& fill) {
        std::string text = LookupLanguageText("FileStrings", key).c_str();
        if (const size_t at = text.find("%s"); at != std::string::npos) text.replace(at, 2, fill);
        if (text.empty()) text = key;
        ShowAlert(text.c_str(), "", kAlertOk | kAlertIconStop);
    };
    return ui;
}

}  // namespace Ostrel
