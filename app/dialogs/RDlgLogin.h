#pragma once
// The login: the child types or picks a name, and the dialog answers its owner (the
// application) with the name; the application makes that user current. Typing the
// administrator name switches the dialog into administrator mode, where users are added
// (their folders made) and deleted instead. The dialog never switches screens itself.
//
// Answers, all with code 5577: (0 with the name as a std::string payload, 1704) log in;
// (the dialog, 1502) quit; (the dialog, 0) close without logging in. The owner deletes the
// dialog on every answer; an answer never delivered goes with the dialog. User-interface
// thread only.
//
// Names that would not make a user's folder (".", "..", separators, control characters,
// characters outside the legal alphabet, pasted or typed) are refused with the refusal sound.
// Asking to go on without a name says so in the child's language, over the dialog's
// instruction, until the child types again.
#include <memory>
#include <string>

#include "app/dialogs/DialogNameField.h"
#include "app/dialogs/DoublePress.h"
#include "app/dialogs/RDeleter.h"
#include "app/dialogs/RDlgBase.h"

namespace Ostrel {

class Paths;
class RPortfolio;
class UndoManager;
class RUserList;

constexpr u32 kDlgKindLogin = 5577;
constexpr u16 kLoginLayout = 7600;
constexpr const char* kLoginContent = "RDlgLogin";
constexpr u16 kLoginAdminButtonSet = 778;
constexpr const char* kAdministratorName = "tulipgarden";
// The field's offer while no user is listed, in the child's language ("YourName" of the login's
// texts); this when the texts give none.
constexpr const char* kDefaultLoginName = "Your Name";
constexpr u16 kLoginNameMaxLength = 20;

// Command ids of the login's buttons and list, and its answers.
constexpr u16 kLoginCmdLogIn = 1500;
constexpr u16 kLoginCmdAbout = 1501;
constexpr u16 kLoginCmdQuit = 1502;
constexpr u16 kLoginCmdLeaveAdmin = 1603;
constexpr u16 kLoginCmdAddUser = 1604;
constexpr u16 kLoginCmdDeleteUsers = 1606;
constexpr u16 kLoginCmdDeleteAnswer = 1701;
constexpr u16 kLoginCmdEnterAdmin = 5578;
constexpr u16 kLoginResultLogIn = 1704;
// Buttons the dialog enables and hides.
constexpr u16 kLoginButtonLogIn = 7616;
constexpr u16 kLoginButtonAdminAdd = 7624;
constexpr u16 kLoginButtonAdminDelete = 7628;
constexpr u16 kLoginButtonHiddenAtStart = 7660;
constexpr u16 kLoginButtonHiddenLater = 7632;
// Hot-spot groups of the two sets.
constexpr u16 kLoginNormalGroup = 1600;
constexpr u16 kLoginAdminGroup = 1500;

// What the login needs of the program: the folders, the portfolio of the current user (for
// users added by the administrator) and the undo step the name field records.
struct LoginServices {
    Paths* paths = nullptr;
    RPortfolio* portfolio = nullptr;
    UndoManager* undo = nullptr;
};

constexpr u16 kLoginCmdScrollUp = 7608;
constexpr u16 kLoginCmdScrollDown = 7612;
constexpr u16 kLoginTypingSound = 7600;
constexpr u16 kLoginListRows = 7604;
constexpr u16 kLoginFieldParts = 7601;
constexpr u16 kLoginDialogArea = 7602;
constexpr u16 kLoginFieldArea = 7603;
constexpr u16 kLoginMascot = 7605;
constexpr u16 kLoginRowHotSpots = 7652;
constexpr u16 kLoginHint = 7607;
constexpr const char* kLoginTextSection = "LoginStrings";
// The word the dialog says when asked to go on without a name (section "LoginStrings").
constexpr const char* kLoginEmptyNameKey = "EmptyName";

class RDlgLogin : public RDlgBase {
public:
    // `openedLater`: 0 at start-up, non-zero when a user is already current.
    RDlgLogin(CListener* owner, u16 openedLater, const LoginServices& services);
    ~RDlgLogin() override;

    // 0 when the dialog is up, 1 when the content item could not be opened.
    i16 Open();

    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    u32 HandleKey(u32 key) override;
    u32 HandleInput(u32 button, Point16 point, u32 buttons) override;
    u32 HandleMouseUp(u32 button, Point16 point, u32 buttons) override;
    u32 HandleMouseMove(Point16 point, u32 buttons) override;
    void HandleActivation(u32 state) override;
    void HandleTick(u32 now) override;
    void HandleNotification(const RInputEvent& event) override;

    bool IsNormalMode() const { return normalMode_; }
    u16 HiddenButton() const { return hiddenButton_; }
    DialogNameField* NameField() const { return field_.get(); }
    RUserList* UserList() const { return list_.get(); }
    DialogButtonSet& AdminSet() { return adminSet_; }
    // The name field's area and the dialog's, as the layout gives them.
    const Rect16& FieldArea() const { return fieldRect_; }
    const Rect16& DialogArea() const { return dialogRect_; }
    // What the dialog is telling the child now; empty when nothing.
    const std::string& Hint() const { return hint_; }
    // The delete confirmation while it is up; null otherwise.
    RDeleter* DeleteConfirmation() const { return deleter_.get(); }

private:
    // The steps of Open: the art and its sets (answers the name field's box), the list of
    // users, the name field.
    Rect16 LayOutArt();
    void BuildUserList();
    void BuildNameField(const Rect16& box);
    void LogIn();
    void CheckName();
    void SwitchToAdmin(bool disableAdminButtons);
    void LeaveAdmin();
    void ShowSet(bool normal);
    void RowClicked(int row);
    void SelectRow(int row);
    void AskDeleteUsers();
    void DeleteSelectedUsers();
    void UpdateLoginButton();
    void FollowTyping(u8 character);
    void EnableButton(u16 id);
    void DisableButton(u16 id);
    // The typed name, trimmed: false when there is none to take (empty, the default text, or
    // refused with the refusal sound); *administrator tells the administrator name.
    bool TakeName(std::string* name, bool* administrator);
    void AnswerLogIn(const std::string& name);
    void ShowHint(const std::string& text);
    static void DrawHint(SprSprite* sprite);
    // The user who was current before the administrator's changes, made current again.
    void KeepCurrentUser(const std::string& previous);
    static void DrawList(SprSprite* sprite);

    u16 openedLater_;
    u16 hiddenButton_;
    LoginServices services_;
    DialogButtonSet adminSet_;
    bool normalMode_ = true;
    std::unique_ptr<DialogNameField> field_;
    std::unique_ptr<RUserList> list_;
    std::unique_ptr<RDeleter> deleter_;
    GfxFont* listFont_ = nullptr;
    SprCompound dialogArea_{};
    SprCompound fieldArea_{};
    SprCompound fieldBox_{};
    Rect16 dialogRect_{0, 0, 0, 0};
    Rect16 fieldRect_{0, 0, 0, 0};
    u16 layerSprite_ = 0;
    u16 mascotSprite_ = 0;
    u16 listSprite_ = 0;
    u16 hintSprite_ = 0;
    Rect16 hintRect_{0, 0, 0, 0};
    std::string hint_;
    int rememberedRow_ = -1;
    bool dragging_ = false;
    // A press made while the dialog is up: a release without one ends a click that began
    // before it (the one that ended the splash) and is nothing of the dialog's.
    bool pressed_ = false;
    Point16 lastPress_{0, 0};
    DoublePress fieldPress_;
    DoublePress rowPress_;
    // What the field offered at the start, never taken as a name.
    std::string offeredName_ = kDefaultLoginName;
    // The field's text at the start (the offered name or the first user's), and whether a key
    // has changed the field since: while it holds that text untouched, a press in the field
    // keeps it selected whole, so that typing replaces it.
    std::string openingText_;
    bool fieldTyped_ = false;
};

}  // namespace Ostrel
