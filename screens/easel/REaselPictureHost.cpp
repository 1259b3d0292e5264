// The easel as the host of its picture session: the dialogs the session asks for, their
// answers handed back, and what it decides carried out on the canvas, the page and the
// application.
#include "app/application/RApplication.h"
#include "app/dialogs/RDlgEnterName.h"
#include "app/dialogs/RDlgWarnings.h"
#include "app/window/MenuMessages.h"
#include "document/clipboard/CCPObj.h"
#include "document/objects/RNotePageObject.h"
#include "document/pages/RPage.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "framework/alerts/ShowAlert.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/language/LanguageTexts.h"
#include "framework/panels/RPanel.h"
#include "panels/base/ToolPanelCommands.h"
#include "screens/easel/CanvasMessages.h"
#include "screens/easel/RCanvas.h"
#include "screens/easel/REasel.h"

namespace Ostrel {
namespace {

constexpr u16 kNameLabel = 7211;
constexpr u16 kNameTakenWarning = 7541;

u16 pictureNameTaken(RDlgBase* dialog, const char* name) {
    const auto* easel = dynamic_cast<const REasel*>(dialog->GetOwner());
    if (!easel || !name) return 0;
    return easel->PictureNameExists(name) == 1 ? 1 : 0;
}

}  // namespace

void REasel::SaveQuestionAnswered(u32 reply, RDlgBase* dialog) {
    if (!dialog || dialog != warning_.get()) return;
    const u16 button = dialog->GetResult();
    warning_.reset();
    if (const std::optional<PendingAction> action = pendingActionOfReply(reply))
        session_.QuestionAnswered(*action, button);
}

void REasel::PictureNamed(RDlgBase* dialog) {
    if (!dialog || dialog != nameDialog_.get()) return;
    std::optional<std::string> typed;
    if (dialog->GetResult() == kDlgResultConfirm) typed = nameDialog_->TypedName();
    nameDialog_.reset();
    session_.PictureNamed(typed);
}

bool REasel::AskSaveQuestion(u32 reply, u16 text) {
    warning_ = std::make_unique<RDlgWarnings>(this, reply);
    if (warning_->Open(text) == 0) return true;
    warning_.reset();
    return false;
}

bool REasel::AskPictureName(const std::string& suggestion) {
    nameDialog_ = std::make_unique<RDlgEnterName>(this, kEaselNameReply);
    nameDialog_->SetValidateProc(pictureNameTaken);
    nameDialog_->SetMessageId(kNameTakenWarning);
    if (nameDialog_->Open(kNameLabel, suggestion.empty() ? nullptr : suggestion.c_str()) == 0) return true;
    nameDialog_.reset();
    return false;
}

u32 REasel::AskAfterFailedSave(const char* key) {
    const RcString text = LookupLanguageText("SmallKidsUserMessages", key);
    return ShowAlert(text.c_str(), "", kAlertYesNoCancel | kAlertIconStop);
}

void REasel::PictureOpened() {
    if (panel_) {
        RMessage reopened(kMsgPanelPictureOpened, 0, 0);
        panel_->HandleMessage(&reopened, 0);
    }
    // The page's note shows as the page opens, read in the language it was written for; a
    // note without text (left by a cancelled note dialog) is no note.
    if (RPage* page = CurrentPage(); page && page->Data().HasNote() && !page->Data().GetNote()->IsEmpty()) {
        RMessage note(kMsgMenuTeacherNote, 0, 0);
        HandleMessage(&note, 0);
    }
}

void REasel::RefreshScreen() { sprUpdateScreen(1); }

void REasel::ShowBlankPage() {
    if (!canvas_) return;
    RMessage fresh(kMsgNewPage, 0, 0);
    canvas_->HandleMessage(&fresh, 0);
}

void REasel::ForgetClips() { CCPObj::Clips().DeleteAllButBitmaps(); }

void REasel::PlayPageSounds() {
    if (canvas_) PostMessageTo(canvas_.get(), kMsgPlaySounds);
}

void REasel::PostToScreen(u32 code) { PostMessageTo(this, code); }

void REasel::PostToApplication(u32 code) {
    if (RApplication* app = GetApplication()) PostMessageTo(app, code);
}

void REasel::OpenProject(u32 code) {
    RApplication* app = GetApplication();
    if (!app) return;
    RMessage open(code, kOpenProjectParam, 1);
    app->HandleMessage(&open, 0);
}

}  // namespace Ostrel
