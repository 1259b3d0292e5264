// What the easel's commands do to the canvas and the page before they go on: the canvas's
// clicks out of and back in service, the stroke or tool in progress finished, the undo record
// released, the page dropped, an unsaved page kept when the program must stop at once.
#include "app/application/RApplication.h"
#include "document/pages/RPage.h"
#include "document/project/RecoveryCopy.h"
#include "document/users/EnginePath.h"
#include "framework/undo/UndoManager.h"
#include "screens/easel/PictureFiles.h"
#include "screens/easel/RCanvas.h"
#include "screens/easel/REasel.h"
#include "tools/base/RToolMgr.h"

namespace Ostrel {

void REasel::SuspendCanvas() {
    if (canvas_) canvas_->SuspendClicks();
}

void REasel::ResumeCanvas() {
    if (canvas_) canvas_->ResumeClicks();
}

void REasel::EndStroke(u32 data) {
    if (!canvas_) return;
    if (RToolMgr* tools = canvas_->ToolManager(); tools && tools->IsTracking()) tools->InputEnd(data);
}

void REasel::FinishTool() {
    if (!canvas_) return;
    if (RToolMgr* tools = canvas_->ToolManager(); tools && tools->GetCurrentTool()) tools->FinishTool();
}

bool REasel::PageUnsaved() const {
    RPage* page = CurrentPage();
    return page && page->Data().IsDirty();
}

// A page has a file of its own once it was saved, or when it was opened from one.
bool REasel::PageSavedAsIs() const {
    RPage* page = CurrentPage();
    return page && page->HasData() && !page->FileName().empty() && !page->Data().IsDirty();
}

void REasel::KeepUnsavedWork() {
    RPage* page = CurrentPage();
    const Paths* paths = UserPaths();
    if (!PageUnsaved() || !paths) return;
    // Without a user the path is empty, and neither way below writes anything.
    const std::string copy = RecoveryCopyPath(*paths, CurrentLanguage());
    EndStroke(0);
    if (files_) {
        files_->SavePageToFile(page, copy);
        return;
    }
    // An easel whose own content failed while it was entered has no canvas yet: the page holds
    // the painting the easel before it stored.
    const EnginePath file(copy);
    if (!file.empty()) page->Data().SaveToFile(file.get());
}

void REasel::ReleaseUndo() {
    if (RApplication* app = GetApplication(); app && app->GetUndoManager()) app->GetUndoManager()->ReleaseCurrent();
}

void REasel::DropPage() {
    if (!CurrentPage()) return;
    DetachPanelFromCanvas();
    // The page goes with what SetCurrentPage hands back.
    SetCurrentPage(nullptr);
}

}  // namespace Ostrel
