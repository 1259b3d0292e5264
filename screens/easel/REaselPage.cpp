// What the easel's commands do to the canvas and the page before they go on: the canvas's
// clicks out of and back in service, the stroke or tool in progress finished, the undo record
// released, the page dropped.
#include "app/application/RApplication.h"
#include "document/pages/RPage.h"
#include "framework/undo/UndoManager.h"
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
