#pragma once
// Asks for a name (of a picture, a slide show, a stamp): a one-line field holding the given
// text (when none, the current language's word for an untitled thing, [FileStrings]
// "Untitled"), typing held to the legal alphabet of the login. A printable
// character outside the alphabet plays the refusal sound and says so in an alert; keys that
// type nothing (Shift, Ctrl, arrows, Tab) never do. Accepting (the OK button or Enter) takes
// the trimmed text (a blank one does nothing), checks the whole of it again, since pasted
// text never passed the key check and the name becomes a file or folder name (a character
// refused there is named as a typed one is), and hands it to
// the validation procedure the creator set: accepted, the answer (code = the owner's kind, the
// dialog, 1396) goes to the owner, which reads the name (TypedName) and deletes the dialog;
// refused, a warning with the base's message id shows (its answer 1438 closes it) and the
// dialog stays open. User-interface thread only.
#include <memory>
#include <string>

#include "app/dialogs/RFieldDlg.h"
#include "app/dialogs/RDlgWarnings.h"

namespace Ostrel {

constexpr const char* kEnterNameContent = "EnterName";
constexpr u16 kEnterNameLayout = 7200;
constexpr u16 kEnterNameFieldParts = 7201;
// The two labels the creator may choose between.
constexpr u16 kEnterNameLabelFirst = 7210;
constexpr u16 kEnterNameLabelSecond = 7211;
constexpr u16 kEnterNameMaxLength = 261;
// The offered name when the language texts give none.
constexpr const char* kEnterNameDefault = "Untitled";
constexpr const char* kEnterNameDefaultKey = "Untitled";
// The kind of the answer of the dialog's own warning.
constexpr u32 kDlgKindNameWarning = 1438;
// The refusal sound of a character outside the alphabet.
constexpr u16 kIllegalCharacterSound = 31503;

class RDlgEnterName : public RFieldDlg {
public:
    RDlgEnterName(CListener* owner, u32 kind) : RFieldDlg(owner, kind) {}
    ~RDlgEnterName() override;

    // 0 when up. `labelId` 7210 or 7211 shows that label; `text` may be null.
    i16 Open(u16 labelId, const char* text);

    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    u32 HandleKey(u32 key) override;

    // The accepted name (empty until a name was accepted).
    const std::string& TypedName() const { return typedName_; }
    RDlgWarnings* Warning() const { return warning_.get(); }
    void Accept();

protected:
    // The sound-name dialog: its own content, no alphabet.
    RDlgEnterName(CListener* owner, u32 kind, bool alphabet) : RFieldDlg(owner, kind), alphabet_(alphabet) {}
    i16 OpenOn(const char* content, u16 labelId, const char* text);

private:
    // Plays the refusal sound and shows the illegal-character alert for `character`.
    void RefuseCharacter(u8 character);

    bool alphabet_ = true;
    std::unique_ptr<RDlgWarnings> warning_;
    std::string typedName_;
    u16 labelSprite_ = 0;
};

}  // namespace Ostrel
