// The paint screen's message handler: its buttons, the main window's menu commands, and the
// messages of its canvas and panels.
#include "app/application/RApplication.h"
#include "app/application/ShellParts.h"
#include "document/clipboard/CCPObj.h"
#include "document/pages/RPage.h"
#include "framework/app/mfxApplication.h"
#include "framework/panels/RPanel.h"
#include "framework/undo/UndoManager.h"
#include "screens/easel/CanvasMessages.h"
#include "screens/easel/RCanvas.h"
#include "screens/easel/REasel.h"
#include "tools/base/RToolMgr.h"

namespace Ostrel {
namespace {

bool passedToCanvas(u32 code) {
    if (code == kMsgPlaceObject) return true;
    if (code >= 6606 && code <= 6626 && code != 6622) return true;
    for (u32 c : {6628u, 6630u, 6632u, 6638u, 6640u, 6647u}) if (code == c) return true;
    return code >= 6649 && code <= 6652;
}

bool isToolbar(u32 code) { return code >= 222 && code <= 237 && code != 226 && code != 231; }

}  // namespace

void REasel::Save(uintptr_t param1, u16 kind) {
    if (!canvas_) return;
    canvas_->SuspendClicks();
    if (RToolMgr* tools = canvas_->ToolManager(); tools && tools->IsTracking()) tools->InputEnd(0);
    SavePicture(kind);
    if (param1 == kScreenPicker) {
        DetachPanel();
        SetCurrentPage(nullptr);
        if (RApplication* app = GetApplication()) {
            if (app->GetUndoManager()) app->GetUndoManager()->ReleaseCurrent();
            app->PostMessage(kScreenPicker);
        }
    }
    canvas_->ResumeClicks();
}

u32 REasel::HandleMessage(RMessage* message, u32 data) {
    const u32 code = message->code;
    RApplication* app = GetApplication();
    if (isToolbar(code)) {
        if (i16(code) != toolbar_) {
            toolbar_ = i16(code);
            SelectToolbar(toolbar_, kToolbarRelease);
        }
        return 0;
    }
    if (canvas_ && passedToCanvas(code)) return canvas_->HandleMessage(message, data);
    switch (code) {
        case 260:  // Undo
            if (app && app->GetUndoManager()) app->GetUndoManager()->Undo();
            return 0;
        case 281:
        case 282:
        case 6604:
            Save(message->param1, 1);
            return 0;
        case 6655:
            Save(message->param1, 13);
            return 0;
        case 247:
        case 250:
        case 298:
        case 6644:
            // TODO(dialogs): with unsaved changes the save question (RDlgWarnings) comes first.
            ChoosePictureFile(code == 250 || code == 6644 ? 0 : 3);
            return 0;
        case 245:
        case 248:
        case 285:
            // TODO(dialogs): with unsaved changes the save question (RDlgWarnings) comes first.
            if (canvas_) {
                if (RToolMgr* tools = canvas_->ToolManager(); tools && tools->GetCurrentTool()) tools->FinishTool();
                RMessage fresh(kMsgNewPage, 0, 0);
                canvas_->HandleMessage(&fresh, 0);
            }
            return 0;
        case 6603:
            PostMessageTo(this, 245);
            return 0;
        case 6605:
            if (canvas_) canvas_->RedrawPage(reinterpret_cast<RPage*>(message->param1), 1);
            return 0;
        case 267:
        case 268:
        case 269:
            // TODO(dialogs): with unsaved changes the save question (RDlgWarnings) comes first.
            CCPObj::Clips().DeleteAllButBitmaps();
            if (mfxApplication* framework = mfxApplication::Get()) framework->Quit();
            return 0;
        case kMsgPageStateChanged:
            RefreshPageState();
            return 0;
        case 5569:
        case 5574:
            return panel_ ? panel_->HandleMessage(message, data) : 0;
        case 17646:
        case 17647:
            if (message->param1) color_ = *reinterpret_cast<const GfxColor*>(message->param1);
            if (canvas_) {
                RMessage chosen(kMsgColorChosen, message->param1, message->param2);
                canvas_->HandleMessage(&chosen, data);
            }
            return 0;
        default:
            return RModule::HandleMessage(message, data);
    }
}

}  // namespace Ostrel
