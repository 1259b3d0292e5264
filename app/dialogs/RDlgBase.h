#pragma once
// The base of the program's own dialogs, drawn inside the main window with sprites. A dialog
// is a named content item plus a layout id: the id of its shape group, of its background
// compound sprite and of its root sprite; its buttons come from the item's button set 777.
// It runs no loop of its own: Run registers it as an input object in front of the screen (so
// keys and clicks reach it, not the screen under it), its buttons post their command ids to
// it, and it answers its owner with one queued message: code = the dialog's kind, parameter 1
// = the dialog (or a datum such as a typed name as the message's payload), parameter 2 = the
// result id or 0.
//
// Ownership: the creator allocates the dialog, keeps it and deletes it once the answer has
// arrived. Deleting a dialog before the answer is delivered drops the answer. While a dialog
// is up the main window's top-level menus are grayed; a dialog of a menu owner (RMenuOwner)
// gives the screen its menus back when it is deleted. User-interface thread only.
#include <string>
#include <utility>

#include "app/dialogs/DialogButtonSet.h"
#include "engine/gfx/sprites/SprCompound.h"
#include "framework/input/RInputObject.h"
#include "framework/messaging/CListener.h"
#include "framework/messaging/RSender.h"

namespace Ostrel {

constexpr FourCC kDialogSenderTag = fourCC("dlgs");
// The command ids every dialog shares.
constexpr u16 kDlgResultLeave = 1395;
constexpr u16 kDlgResultConfirm = 1396;
// The message that makes a dialog answer with its result.
constexpr u32 kMsgDialogAnswer = 1;
constexpr u16 kDialogButtonSet = 777;
constexpr u32 kDialogRootSpriteFlags = 0x4C00000;
constexpr u16 kDialogNameSize = 32;

// Checks a typed name before a name-entry dialog accepts it: 0 accepts, anything else
// refuses (the dialog then shows its message id's warning).
using DialogValidateProc = u16 (*)(class RDlgBase* dialog, const char* name);

class RDlgBase : public CListener, public RSender, public RInputObject {
public:
    // `kind` 0 counts as 1.
    RDlgBase(CListener* owner, u32 kind);
    ~RDlgBase() override;

    // Opens the content item `name` and puts the dialog up: 0 when it is up, 1 when it could
    // not be opened (null name, or the item cannot be opened).
    virtual i16 Run(const char* name, u16 layoutId);
    // Builds the buttons of set 777 in a hot-spot list of the dialog's own and draws them.
    virtual void BuildButtons();
    // Command 1 answers (the dialog, 0); subclasses handle their command ids first.
    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    // The index of the button with that command id; -1 when none.
    int FindButtonById(u16 id) const;

    // Input: keys are taken and dropped (Escape leaves, as Cancel does), clicks outside the
    // buttons are taken too, so that nothing reaches the screen under the dialog.
    u32 HandleKey(u32 key) override;
    u32 HandleKeyUp(u32 key) override;
    u32 HandleInput(u32 button, Point16 point, u32 buttons) override;
    u32 HandleMouseUp(u32 button, Point16 point, u32 buttons) override;
    u32 HandleMouseMove(Point16 point, u32 buttons) override;
    // The program came back to the front: the menu bar is grayed again if it was not.
    void HandleActivation(u32 state) override;

    // Escape: the dialog hears the Cancel button's command (true); any other key, false.
    bool LeaveOnEscape(u32 key);
    // Stores `result` and posts (code = kind, param1, param2) to the owner.
    void Answer(u16 result, uintptr_t param1, u16 param2);
    // Stores `result` and posts (code = kind, 0, param2) to the owner with `value` as payload.
    template <typename T>
    void AnswerWith(u16 result, T value, u16 param2) {
        result_ = result;
        PostValueTo(owner_, kind_, std::move(value), param2);
    }

    CListener* GetOwner() const { return owner_; }
    u32 GetKind() const { return kind_; }
    u16 GetLayoutId() const { return layoutId_; }
    bool IsOpen() const { return notOpen_ == 0; }
    u16 GetResult() const { return result_; }
    void SetResult(u16 result) { result_ = result; }
    const char* GetName() const { return name_; }
    u16 GetRootSprite() const { return rootSprite_; }
    // The layout's background compound sprite: its parts are the dialog's areas.
    const SprCompound& Layout() const { return layout_; }
    DialogButtonSet& ButtonSet() { return buttons_; }

    void SetValidateProc(DialogValidateProc proc) { validate_ = proc; }
    u16 Validate(const char* name) { return validate_ ? validate_(this, name) : 0; }
    u16 GetMessageId() const { return messageId_; }
    void SetMessageId(u16 id) { messageId_ = id; }

protected:
    // The input mask dialogs register with.
    static constexpr u32 kDialogInputMask = kInputMouseButtons | kInputMouseMove | kInputKeys | kInputTick | kInputActivation;

private:
    void Close();

    CListener* owner_;
    u32 kind_;
    u16 layoutId_ = 0;
    DialogButtonSet buttons_;
    u16 notOpen_ = 1;
    u16 rootSprite_ = 0;
    u16 layoutSprite_ = 0;
    SprCompound layout_{};
    u16 result_ = kDlgResultLeave;
    char name_[kDialogNameSize] = {};
    DialogValidateProc validate_ = nullptr;
    u16 messageId_ = 0;
};

}  // namespace Ostrel
