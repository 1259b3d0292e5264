// The picture's life cycle on the easel: opening, saving, naming, and the save question
// before a command drops the page.
#include <cstring>

#include "app/application/ApplicationMessages.h"
#include "app/application/RApplication.h"
#include "app/dialogs/RDlgEnterName.h"
#include "app/dialogs/RDlgWarnings.h"
#include "app/dialogs/RNoteDlg.h"
#include "app/window/MenuMessages.h"
#include "document/clipboard/CCPObj.h"
#include "document/objects/RNotePageObject.h"
#include "document/pages/RPage.h"
#include "document/users/EnginePath.h"
#include "document/users/Paths.h"
#include "engine/files/OsFiles.h"
#include "engine/files/OsServices.h"
#include "engine/files/UniqueFileName.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "framework/alerts/ShowAlert.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/language/LanguageTexts.h"
#include "framework/panels/RPanel.h"
#include "panels/base/ToolPanelCommands.h"
#include "screens/easel/CanvasMessages.h"
#include "screens/easel/EaselCommands.h"
#include "screens/easel/EaselSaveQuestion.h"
#include "screens/easel/PictureFiles.h"
#include "screens/easel/RCanvas.h"
#include "screens/easel/REasel.h"

namespace Ostrel {
namespace {

constexpr u16 kNameLabel = 7211;
constexpr u16 kNameTakenWarning = 7541;
constexpr const char* kPictureExtension = ".tbx";
constexpr u32 kMaxPictureName = 256;

u16 pictureNameTaken(RDlgBase* dialog, const char* name) {
    const auto* easel = dynamic_cast<const REasel*>(dialog->GetOwner());
    if (!easel || !name) return 0;
    return easel->PictureNameExists(name) == 1 ? 1 : 0;
}

}  // namespace

void REasel::AskToSave(u32 action) {
    const SaveQuestion question = saveQuestionFor(action, pendingProjectCode_);
    warning_ = std::make_unique<RDlgWarnings>(this, question.reply);
    if (question.reply == 0 || warning_->Open(question.text) != 0) {
        warning_.reset();
        if (RApplication* app = GetApplication()) PostMessageTo(app, action);
    }
}

void REasel::CloseDialogAndResume() {
    sprUpdateScreen(1);
    ResumeCanvas();
}

void REasel::SaveQuestionAnswered(u32 reply, RDlgBase* dialog) {
    if (!dialog || dialog != warning_.get()) return;
    const u16 button = dialog->GetResult();
    warning_.reset();
    const bool save = button == kWarningResultYes;
    if (!save && button != kWarningResultNo) {
        CloseDialogAndResume();
        return;
    }
    if (save) {
        sprUpdateScreen(1);
        // A picture that did not save is not dropped: the question stays answered by Cancel.
        RMessage saveNow(kEaselSave, reply == kEaselSlideShowReply ? kScreenPicker : 0, 0);
        commands_.Handle(&saveNow, 0);
        if (PageUnsaved()) {
            ResumeCanvas();
            return;
        }
    }
    GoOnAfterQuestion(reply, save);
    ResumeCanvas();
}

void REasel::GoOnAfterQuestion(u32 reply, bool save) {
    RApplication* app = GetApplication();
    switch (reply) {
        case kEaselQuitReply:
            if (!save) {
                ReleaseUndo();
                DropPage();
            }
            PostMessageTo(this, kEaselQuit);
            break;
        case kEaselNewPictureReply:
            if (!save) {
                ReleaseUndo();
                if (CurrentPage()) UpdateNoteMenuItem(false);
                DropPage();
            }
            PostMessageTo(this, kEaselContinueNewPicture);
            break;
        case kEaselOpenIdeaReply:
            CCPObj::Clips().DeleteAllButBitmaps();
            PostMessageTo(this, kEaselContinueOpenIdea);
            break;
        case kEaselOpenFromMenuReply:
            PostMessageTo(this, kEaselContinueOpenFromMenu);
            break;
        case kEaselOpenProjectReply:
            if (app) {
                RMessage open(pendingProjectCode_, kOpenProjectParam, 1);
                app->HandleMessage(&open, 0);
            }
            break;
        // The slide shows: a saved page went with the save.
        case kEaselSlideShowReply:
            if (!save) {
                ReleaseUndo();
                DropPage();
                if (app) PostMessageTo(app, kScreenPicker);
            }
            break;
        default:
            break;
    }
}

// --- small-kids naming

void REasel::AskPictureName() {
    std::string name;
    const Paths* paths = UserPaths();
    if (RPage* page = CurrentPage(); page && paths) {
        char buffer[kMaxPictureName + 1] = {};
        std::string base = page->FileName();
        if (const size_t slash = base.find_last_of("\\/"); slash != std::string::npos) base.erase(0, slash + 1);
        base = base.substr(0, base.find('.'));
        std::strncpy(buffer, base.c_str(), kMaxPictureName);
        const EnginePath folder(paths->GetPicturesDir());
        EnginePath chosen;
        if (MakeUniqueFileName(folder.get(), buffer, sizeof(buffer), kPictureExtension, chosen.get(), kMaxPictureName,
                               nullptr, nullptr, 0) == kErrNone)
            name = std::string(buffer).substr(0, std::string(buffer).find('.'));
    }
    nameDialog_ = std::make_unique<RDlgEnterName>(this, kEaselNameReply);
    nameDialog_->SetValidateProc(pictureNameTaken);
    nameDialog_->SetMessageId(kNameTakenWarning);
    if (nameDialog_->Open(kNameLabel, name.empty() ? nullptr : name.c_str()) != 0) {
        nameDialog_.reset();
        ResumeCanvas();
    }
}

void REasel::PictureNamed(RDlgBase* dialog) {
    if (!dialog || dialog != nameDialog_.get()) return;
    RPage* page = CurrentPage();
    const Paths* paths = UserPaths();
    if (dialog->GetResult() != kDlgResultConfirm || !page || !paths) {
        nameDialog_.reset();
        CloseDialogAndResume();
        return;
    }
    std::string name = nameDialog_->TypedName();
    nameDialog_.reset();
    if (name.size() < 4 || name.compare(name.size() - 4, 4, kPictureExtension) != 0) name += kPictureExtension;
    const std::string path = paths->GetPicturesDir() + "\\" + name;
    sprUpdateScreen(1);
    const EngineErr err = files_ ? files_->SavePageToFile(page, path) : EngineErr(1);
    if (err != kErrNone) {
        const RcString text =
            LookupLanguageText("SmallKidsUserMessages", err == kOsErrDiskFull ? "VolumeFull" : "GeneralFileErr");
        const u32 answer = ShowAlert(text.c_str(), "", kAlertYesNoCancel | kAlertIconStop);
        if (answer == kAlertAnswerYes) {
            if (!SavePicture(1)) {
                ResumeCanvas();
                return;
            }
        } else if (answer == kAlertAnswerNo) {
            page->Data().SetDirtyState(false);
        } else {
            ResumeCanvas();
            return;
        }
    }
    if (canvas_) {
        RMessage fresh(kMsgNewPage, 0, 0);
        canvas_->HandleMessage(&fresh, 0);
    }
    ResumeCanvas();
}

bool REasel::OpenPicture(const std::string& path) {
    if (!files_) return false;
    const bool opened = files_->OpenPicture(path);
    if (!opened) return false;
    if (panel_) {
        RMessage reopened(kMsgPanelPictureOpened, 0, 0);
        panel_->HandleMessage(&reopened, 0);
    }
    // A note without text (left by a cancelled note dialog) is no note.
    if (RPage* page = CurrentPage(); page && page->Data().HasNote() && !page->Data().GetNote()->IsEmpty()) {
        if (page->Data().GetNote()->GetKind() == 0) {
            UpdateNoteMenuItem(true);
        } else {
            RMessage note(kMsgMenuTeacherNote, 0, 0);
            HandleMessage(&note, 0);
        }
    }
    return true;
}

bool REasel::ChoosePictureFile(u16 kind) {
    const std::string path = files_ ? files_->AskOpenName(kind) : std::string();
    return !path.empty() && OpenPicture(path);
}

bool REasel::SavePicture(u16 kind) { return files_ && files_->SavePicture(CurrentPage(), kind); }

EngineErr REasel::PictureNameExists(const std::string& name) const {
    const Paths* paths = UserPaths();
    if (!paths) return kOsErrNotFound;
    const EnginePath path(paths->GetPicturesDir() + "\\" + name + ".tbx");
    if (path.empty()) return kOsErrNotFound;
    const EngineErr err = pathCheckExists(path.get());
    return err == kErrNone ? 1 : err == kOsErrNotFound ? 0 : err;
}

}  // namespace Ostrel
