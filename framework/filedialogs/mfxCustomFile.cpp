#include "framework/filedialogs/mfxCustomFile.h"

#include "framework/dialogs/mfxAlert.h"
#include "framework/filedialogs/mfxFileDialog.h"
#include "framework/format/DialogFormat.h"
#include "framework/language/LanguageTexts.h"
#include "framework/resources/mfxReadResource.h"
#include "platform/files/Files.h"
#include "platform/system/UserFolders.h"

namespace {

constexpr FourCC kDialogType = fourCC("DLOG");

void alertFromTexts(const char* key) {
    mfxAlert(kAlertOk, LookupLanguageText("XPLogo", key).c_str());
}

// As the program's name dialogs tell it: "' : ' cannot be used in a name."
void alertRefused(const std::string& part) {
    mfxAlert(kAlertOk, "' " + part + " ' " + LookupLanguageText("FileStrings", "IllegalCharacter").c_str());
}

std::string folderText(const Path* folder) {
    Path program;
    pathInitEmpty(&program);
    if (!folder || !folder->record) folder = pathGetModuleDirectory(&program);
    char text[kSystemTextSize] = {};
    pathGetFullText(folder, text);
    pathRelease(&program);
    return text;
}

}  // namespace

mfxCustomFile::mfxCustomFile(const char* title, u16 templateId, const Path* initialFolder,
                             mfxFileDialogCallback callback, void* callbackContext, mfxWindow* owner,
                             std::vector<mfxFileFilter> filter, bool saving, std::vector<mfxFilePlace> places,
                             std::vector<mfxFileReach> reach, std::string ownFolder)
    : callback(callback),
      templateId(templateId),
      callbackContext(callbackContext),
      initialFolder(folderText(initialFolder)),
      title_(title ? title : ""),
      owner_(owner),
      filter_(std::move(filter)),
      saving_(saving),
      places_(std::move(places)),
      reach_(std::move(reach)),
      ownFolder_(std::move(ownFolder)) {
    if (!reach_.empty()) reach_.push_back({this->initialFolder, true});
}

void mfxCustomFile::HookMessage(const mfxFileDialogEvent& event) {
    if (event.kind == kFileEventInit) initDone = 1;
    if (callback) callback(event, callbackContext);
}

void mfxCustomFile::Run() {
    fileName.clear();
    ticked.clear();
    DialogTemplate extension;
    bool hasExtension = false;
    if (templateId) {
        std::vector<u8> bytes;
        if (mfxReadResource(kDialogType, templateId, &bytes) != kErrNone ||
            parseDialogTemplate(bytes, &extension) != kErrNone) {
            alertFromTexts("FileDialogError");
            return;
        }
        hasExtension = true;
    }
    const std::string home = plat::userHomeFolder();
    mfxFileDialogSetup setup{saving_, title_, initialFolder, filter_, hasExtension ? &extension : nullptr, places_,
                             home.empty() ? home : plat::textOfHostPath(home), shownName_, reach_, ownFolder_};
    mfxFileDialog dialog(owner_, setup);
    if (dialog.LoadError() != kErrNone) {
        alertFromTexts("FileDialogError");
        return;
    }
    option = dialog.Option();
    HookMessage({kFileEventInit, templateId, {}, {}});
    if (saving_) HookMessage({kFileEventInitDone, dialog.FilterIndex(), {}, {}});
    // The file picked last is shown again in the preview area each time the dialog is drawn.
    std::string previewed;
    if (dialog.PreviewArea().right > dialog.PreviewArea().left)
        dialog.SetAfterDraw([&] {
            if (!previewed.empty()) HookMessage({kFileEventSelection, option, dialog.PreviewArea(), previewed});
        });
    mfxDialogEvent event;
    while (dialog.RunModal(&event) == 0) {
        std::string path;
        switch (dialog.Handle(event, &path)) {
        case mfxFileDialog::Step::Chosen:
            fileName = path;
            ticked = dialog.Ticked();
            dialog.EndModal(1);
            break;
        case mfxFileDialog::Step::Selected:
            previewed = path;
            HookMessage({kFileEventSelection, option, dialog.PreviewArea(), path});
            break;
        case mfxFileDialog::Step::FilterChanged:
            if (saving_) HookMessage({kFileEventTypeChange, dialog.FilterIndex(), {}, {}});
            break;
        case mfxFileDialog::Step::Command:
            HookMessage({kFileEventCommand, event.item, dialog.GetItemRect(event.item), {}});
            dialog.ToggleCheck(event.item);
            // A new option shows in the preview at once.
            if (const u16 chosen = dialog.ChooseOption(event.item); chosen && chosen != option) {
                option = chosen;
                if (!previewed.empty()) HookMessage({kFileEventSelection, option, dialog.PreviewArea(), previewed});
            }
            break;
        case mfxFileDialog::Step::PathTooLong: alertFromTexts("PathTooLong"); break;
        case mfxFileDialog::Step::NameRefused: alertRefused(dialog.RefusedPart()); break;
        case mfxFileDialog::Step::None:
        case mfxFileDialog::Step::Canceled: break;
        }
    }
    if (!saving_) HookMessage({kFileEventDestroy, 0, {}, {}});
}

mfxCustomGetFile::mfxCustomGetFile(const char* title, u16 templateId, const Path* initialFolder,
                                   mfxFileDialogCallback callback, void* callbackContext, mfxWindow* owner,
                                   std::vector<mfxFileFilter> filter, std::vector<mfxFilePlace> places,
                                   std::vector<mfxFileReach> reach, std::string ownFolder)
    : mfxCustomFile(title, templateId, initialFolder, callback, callbackContext, owner, std::move(filter), false,
                    std::move(places), std::move(reach), std::move(ownFolder)) {
    Run();
}

mfxCustomPutFile::mfxCustomPutFile(const char* title, u16 templateId, const Path* initialFolder,
                                   mfxFileDialogCallback callback, void* callbackContext, mfxWindow* owner,
                                   std::string defaultName, std::vector<mfxFileFilter> filter,
                                   std::vector<mfxFilePlace> places, bool nameShown, std::vector<mfxFileReach> reach)
    : mfxCustomFile(title, templateId, initialFolder, callback, callbackContext, owner, std::move(filter), true,
                    std::move(places), std::move(reach)),
      defaultName(std::move(defaultName)) {
    if (nameShown) shownName_ = this->defaultName;
    Run();
}
