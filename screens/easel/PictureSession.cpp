#include "screens/easel/PictureSession.h"

#include <cstring>

#include "app/application/ApplicationMessages.h"
#include "app/dialogs/RDlgWarnings.h"
#include "app/window/MenuMessages.h"
#include "document/pages/RPage.h"
#include "document/users/EnginePath.h"
#include "document/users/Paths.h"
#include "engine/files/OsFiles.h"
#include "engine/files/OsServices.h"
#include "engine/files/UniqueFileName.h"
#include "framework/dialogs/mfxAlert.h"
#include "screens/easel/EaselCommands.h"
#include "screens/easel/EaselSaveQuestion.h"
#include "screens/easel/PictureFiles.h"

namespace Ostrel {
namespace {

constexpr const char* kPictureExtension = ".tbx";
constexpr u32 kMaxPictureName = 256;

// Each pending action with the command code that asks the question for it and the reply
// code its answer comes back with.
struct PendingRow {
    PendingAction action;
    u32 code;
    u32 reply;
};
constexpr PendingRow kPending[] = {
    {PendingAction::Quit, kEaselQuit, kEaselQuitReply},
    {PendingAction::NewPicture, kMsgMenuNewPicture, kEaselNewPictureReply},
    {PendingAction::OpenIdea, kEaselPendingOpenIdea, kEaselOpenIdeaReply},
    {PendingAction::OpenFromMenu, kEaselPendingOpenFromMenu, kEaselOpenFromMenuReply},
    {PendingAction::OpenProject, kEaselPendingOpenProject, kEaselOpenProjectReply},
    {PendingAction::SlideShow, kScreenPicker, kEaselSlideShowReply},
};

u32 codeOf(PendingAction action) {
    for (const PendingRow& row : kPending)
        if (row.action == action) return row.code;
    return 0;
}

}  // namespace

std::optional<PendingAction> pendingActionOfCode(u32 code) {
    for (const PendingRow& row : kPending)
        if (row.code == code) return row.action;
    return std::nullopt;
}

std::optional<PendingAction> pendingActionOfReply(u32 reply) {
    for (const PendingRow& row : kPending)
        if (row.reply == reply) return row.action;
    return std::nullopt;
}

PictureSession::PictureSession(PictureSessionHost& host) : host_(host), projectCode_(kMsgOpenDocument) {}

bool PictureSession::PageUnsaved() const {
    RPage* page = host_.CurrentPage();
    return page && page->Data().IsDirty();
}

// --- opening

bool PictureSession::Open(const std::string& path) {
    PictureFiles* files = host_.Files();
    if (!files || !files->OpenPicture(path)) return false;
    host_.PictureOpened();
    return true;
}

void PictureSession::Open(PendingAction which) {
    host_.StopAll();
    if (PageUnsaved()) {
        AskToSave(which);
        return;
    }
    OpenNow(which);
}

void PictureSession::OpenChosen(PendingAction which) {
    host_.StopAll();
    OpenNow(which);
}

void PictureSession::OpenNow(PendingAction which) {
    if (which != PendingAction::OpenIdea) {
        Choose(kImportPictures);
        return;
    }
    if (Choose(kImportPicturesToo)) {
        host_.PlayPageSounds();
        if (RPage* page = host_.CurrentPage()) page->Data().SetDirtyState(true);
    }
}

bool PictureSession::Choose(FileDialogKind kind) {
    PictureFiles* files = host_.Files();
    const std::string path = files ? files->AskOpenName(kind) : std::string();
    return !path.empty() && Open(path);
}

// --- saving

bool PictureSession::SaveCurrentPage(FileDialogKind kind) {
    PictureFiles* files = host_.Files();
    return files && files->SavePicture(host_.CurrentPage(), kind);
}

void PictureSession::Save(FileDialogKind kind, bool thenSlideShows) {
    host_.StopAll();
    host_.SuspendCanvas();
    host_.EndStroke(0);
    SaveCurrentPage(kind);
    // Only a saved page may be left behind on the way to the slide shows.
    if (thenSlideShows && !PageUnsaved()) {
        host_.DropPage();
        host_.ReleaseUndo();
        host_.PostToApplication(kScreenPicker);
    }
    host_.ResumeCanvas();
}

// --- the commands that drop the page

void PictureSession::NewPicture() {
    host_.StopAll();
    host_.SuspendCanvas();
    if (host_.SmallKids()) {
        AskPictureName();
        return;
    }
    host_.FinishTool();
    if (PageUnsaved()) {
        AskToSave(PendingAction::NewPicture);
        return;
    }
    ShowNewPage();
}

void PictureSession::ShowNewPage() {
    host_.ShowBlankPage();
    host_.UpdateNoteMenuItem(false);
}

void PictureSession::RequestQuit() {
    host_.StopAll();
    host_.SuspendCanvas();
    host_.FinishTool();
    if (PageUnsaved())
        AskToSave(PendingAction::Quit);
    else
        host_.PostToScreen(kEaselQuit);
}

void PictureSession::OpenProject(u32 code) {
    host_.StopAll();
    if (PageUnsaved()) {
        projectCode_ = code;
        AskToSave(PendingAction::OpenProject);
    } else {
        host_.OpenProject(code);
    }
}

// --- the save question

void PictureSession::AskToSave(PendingAction action) {
    const u32 code = codeOf(action);
    const SaveQuestion question = saveQuestionFor(code, projectCode_);
    if (!host_.AskSaveQuestion(question.reply, question.text)) host_.PostToApplication(code);
}

void PictureSession::QuestionAnswered(PendingAction action, u16 button) {
    const bool save = button == kWarningResultYes;
    if (!save && button != kWarningResultNo) {
        host_.RefreshScreen();
        host_.ResumeCanvas();
        return;
    }
    if (save) {
        host_.RefreshScreen();
        // A picture that did not save is not dropped: the question stays answered by Cancel.
        Save(kSavePicture, action == PendingAction::SlideShow);
        if (PageUnsaved()) {
            host_.ResumeCanvas();
            return;
        }
    }
    GoOn(action, save);
    host_.ResumeCanvas();
}

void PictureSession::GoOn(PendingAction action, bool saved) {
    switch (action) {
        case PendingAction::Quit:
            if (!saved) {
                host_.ReleaseUndo();
                host_.DropPage();
            }
            host_.PostToScreen(kEaselQuit);
            break;
        case PendingAction::NewPicture:
            if (!saved) {
                host_.ReleaseUndo();
                if (host_.CurrentPage()) host_.UpdateNoteMenuItem(false);
                host_.DropPage();
            }
            host_.PostToScreen(kEaselContinueNewPicture);
            break;
        case PendingAction::OpenIdea:
            host_.ForgetClips();
            host_.PostToScreen(kEaselContinueOpenIdea);
            break;
        case PendingAction::OpenFromMenu:
            host_.PostToScreen(kEaselContinueOpenFromMenu);
            break;
        case PendingAction::OpenProject:
            host_.OpenProject(projectCode_);
            break;
        // The slide shows: a saved page went with the save.
        case PendingAction::SlideShow:
            if (!saved) {
                host_.ReleaseUndo();
                host_.DropPage();
                host_.PostToApplication(kScreenPicker);
            }
            break;
    }
}

// --- small-kids naming

void PictureSession::AskPictureName() {
    std::string name;
    const Paths* paths = host_.UserPaths();
    if (RPage* page = host_.CurrentPage(); page && paths) {
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
    if (!host_.AskPictureName(name)) host_.ResumeCanvas();
}

void PictureSession::PictureNamed(const std::optional<std::string>& typed) {
    RPage* page = host_.CurrentPage();
    const Paths* paths = host_.UserPaths();
    if (!typed || !page || !paths) {
        host_.RefreshScreen();
        host_.ResumeCanvas();
        return;
    }
    std::string name = *typed;
    if (name.size() < 4 || name.compare(name.size() - 4, 4, kPictureExtension) != 0) name += kPictureExtension;
    const std::string path = paths->GetPicturesDir() + "\\" + name;
    host_.RefreshScreen();
    PictureFiles* files = host_.Files();
    const EngineErr err = files ? files->SavePageToFile(page, path) : EngineErr(1);
    if (err != kErrNone) {
        const u32 answer = host_.AskAfterFailedSave(err == kOsErrDiskFull ? "VolumeFull" : "GeneralFileErr");
        if (answer == kAlertAnswerYes) {
            if (!SaveCurrentPage(kSavePicture)) {
                host_.ResumeCanvas();
                return;
            }
        } else if (answer == kAlertAnswerNo) {
            page->Data().SetDirtyState(false);
        } else {
            host_.ResumeCanvas();
            return;
        }
    }
    host_.ShowBlankPage();
    host_.ResumeCanvas();
}

EngineErr PictureSession::PictureNameExists(const std::string& name) const {
    const Paths* paths = host_.UserPaths();
    if (!paths) return kOsErrNotFound;
    const EnginePath path(paths->GetPicturesDir() + "\\" + name + kPictureExtension);
    if (path.empty()) return kOsErrNotFound;
    const EngineErr err = pathCheckExists(path.get());
    return err == kErrNone ? 1 : err == kOsErrNotFound ? 0 : err;
}

}  // namespace Ostrel
