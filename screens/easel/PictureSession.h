#pragma once
// The picture's life cycle on the easel: opening a picture, saving it (Save, Save As), naming a
// new one in small-kids mode, and the save question a command asks before it drops an unsaved
// page, with the action that waits for the answer. The session holds no dialog and looks up
// nothing: its host (the screen) opens the dialogs and hands back their answers, carries out
// what the session decides on the canvas and the page, and lends it the picture files.
// User-interface thread only.
#include <optional>
#include <string>

#include "document/filetypes/RFileTypes.h"
#include "engine/base/EngineTypes.h"

namespace Ostrel {

class Paths;
class PictureFiles;
class RPage;

// What waits for the answer to the save question.
enum class PendingAction : u8 {
    Quit,
    NewPicture,
    OpenIdea,       // a picture of the idea machine
    OpenFromMenu,   // any picture
    OpenProject,    // the project command the session keeps (another user, the user list, a slide show)
    SlideShow,      // the slide-show screens
};

// The action a save question's command code (parameter 1 of kEaselAskToSave) or reply code
// stands for; none for any other code.
std::optional<PendingAction> pendingActionOfCode(u32 code);
std::optional<PendingAction> pendingActionOfReply(u32 reply);

class PictureSessionHost {
public:
    virtual RPage* CurrentPage() const = 0;
    virtual const Paths* UserPaths() const = 0;
    // Null before the screen has its canvas.
    virtual PictureFiles* Files() = 0;
    virtual bool SmallKids() const = 0;

    // Whatever plays stops; the canvas's clicks go out of and back into service; the stroke
    // or the tool in progress ends; the screen is drawn again from its sprites.
    virtual void StopAll() = 0;
    virtual void SuspendCanvas() = 0;
    virtual void ResumeCanvas() = 0;
    virtual void EndStroke(u32 data) = 0;
    virtual void FinishTool() = 0;
    virtual void RefreshScreen() = 0;

    virtual void ReleaseUndo() = 0;
    virtual void DropPage() = 0;
    virtual void ShowBlankPage() = 0;
    // Every clip that is not a picture goes.
    virtual void ForgetClips() = 0;
    virtual void PlayPageSounds() = 0;
    virtual void UpdateNoteMenuItem(bool hasNote) = 0;
    // The panel and the note learn of the opened picture.
    virtual void PictureOpened() = 0;

    virtual void PostToScreen(u32 code) = 0;
    virtual void PostToApplication(u32 code) = 0;
    virtual void OpenProject(u32 code) = 0;

    // The dialogs, whose answers come back later; false when the dialog did not open.
    virtual bool AskSaveQuestion(u32 reply, u16 text) = 0;
    virtual bool AskPictureName(const std::string& suggestion) = 0;
    // The small-kids alert (Yes, No, Cancel) of "SmallKidsUserMessages" `key` after a
    // failed save; the alert's answer.
    virtual u32 AskAfterFailedSave(const char* key) = 0;

protected:
    ~PictureSessionHost() = default;
};

class PictureSession {
public:
    explicit PictureSession(PictureSessionHost& host);

    // The picture at `path` becomes the current page; true when it did.
    bool Open(const std::string& path);
    // The Open commands (OpenIdea or OpenFromMenu): after the save question when the page is
    // unsaved, then OpenChosen.
    void Open(PendingAction which);
    // Asks for a picture and opens it; a picture of the idea machine is a changed page.
    void OpenChosen(PendingAction which);
    // Asks for a name with the dialog of `kind` (kSavePicture, kSavePictureAs) and saves. On
    // the way to the slide shows a saved page is dropped and the application switches.
    void Save(FileDialogKind kind, bool thenSlideShows = false);
    // A new picture: in small-kids mode a named one, else after the save question.
    void NewPicture();
    void ShowNewPage();
    void RequestQuit();
    // The project command (kMsgOpenDocument, kMsgAdminLogin, ...), after the save question.
    void OpenProject(u32 code);

    void AskToSave(PendingAction action);
    // The question's answer (kWarningResultYes, kWarningResultNo, anything else cancels).
    void QuestionAnswered(PendingAction action, u16 button);

    void AskPictureName();
    // The typed name, none when the dialog was cancelled.
    void PictureNamed(const std::optional<std::string>& typed);
    // A picture of that name (".tbx" added) is in the user's pictures folder: 1; 0 when it is
    // not; another engine error unchanged.
    EngineErr PictureNameExists(const std::string& name) const;

private:
    bool PageUnsaved() const;
    void OpenNow(PendingAction which);
    bool Choose(FileDialogKind kind);
    bool SaveCurrentPage(FileDialogKind kind);
    // The pending action once the page was saved or is not to be.
    void GoOn(PendingAction action, bool saved);

    PictureSessionHost& host_;
    u32 projectCode_;
};

}  // namespace Ostrel
