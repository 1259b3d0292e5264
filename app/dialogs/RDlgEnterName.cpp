#include "app/dialogs/RDlgEnterName.h"

#include "app/dialogs/EnteredNames.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprSounds.h"
#include "framework/alerts/ShowAlert.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/language/LanguageTexts.h"
#include "text/host/TextKeys.h"

namespace Ostrel {

namespace {

constexpr size_t kAlphabetBytes = 256;

void playRefusal() {
    SprSoundRequest request;
    request.soundId = kIllegalCharacterSound;
    sprRequestSound(request);
}

}  // namespace

RDlgEnterName::~RDlgEnterName() {
    warning_.reset();
    if (labelSprite_) sprDispose(&labelSprite_);
}

i16 RDlgEnterName::Open(u16 labelId, const char* text) { return OpenOn(kEnterNameContent, labelId, text); }

i16 RDlgEnterName::OpenOn(const char* content, u16 labelId, const char* text) {
    if (Run(content, kEnterNameLayout) != 0) return 1;
    if (labelId == kEnterNameLabelFirst || labelId == kEnterNameLabelSecond) {
        labelSprite_ = sprNew(kDialogRootSpriteFlags, labelId, nullptr);
        if (labelSprite_ == kSprNoId) labelSprite_ = 0;
        if (labelSprite_ && GetRootSprite()) sprSetLayerById(labelSprite_, 1, GetRootSprite());
    }
    const DialogFieldSpec spec{kEnterNameFieldParts, kNameFieldFontSize, kEnterNameMaxLength, 0};
    std::string offered = text && *text ? text : LookupLanguageText("FileStrings", kEnterNameDefaultKey).c_str();
    MakeField(spec, offered.empty() ? std::string(kEnterNameDefault) : offered);
    if (field_) {
        if (alphabet_) {
            const std::string alphabet = LookupLanguageText(kSectionLoginAlphabet, "LegalAlphabet").c_str();
            field_->Field().SetAlphabet(alphabet.substr(0, kAlphabetBytes));
        }
    }
    sprUpdateScreen(1);
    return 0;
}

void RDlgEnterName::RefuseCharacter(u8 character) {
    playRefusal();
    std::string text = "' ";
    text += char(character);
    text += " ' ";
    text += LookupLanguageText("FileStrings", "IllegalCharacter").c_str();
    ShowAlert(text.c_str(), nullptr, kAlertOk);
}

void RDlgEnterName::Accept() {
    if (!field_) return;
    std::string text = field_->Text().substr(0, kEnterNameMaxLength);
    if (!TrimBlanks(text)) return;
    // The name becomes a file or folder name: pasted text is held to the same alphabet as
    // typed text, and what could not name a file is refused.
    if (alphabet_) {
        for (char c : text) {
            if (!field_->Field().IsLegal(u8(c))) {
                RefuseCharacter(u8(c));
                return;
            }
        }
    }
    if (!isUsableEnteredName(text)) {
        if (const char refused = refusedEnteredCharacter(text)) RefuseCharacter(u8(refused));
        else playRefusal();
        return;
    }
    typedName_ = text;
    if (Validate(typedName_.c_str()) == 0) {
        Answer(kDlgResultConfirm, reinterpret_cast<uintptr_t>(this), kDlgResultConfirm);
        return;
    }
    warning_.reset();
    warning_ = std::make_unique<RDlgWarnings>(this, kDlgKindNameWarning);
    if (warning_->Open(GetMessageId()) != 0) warning_.reset();
}

u32 RDlgEnterName::HandleMessage(RMessage* message, uintptr_t data) {
    switch (message->code) {
    case kDlgResultLeave: Answer(kDlgResultLeave, reinterpret_cast<uintptr_t>(this), kDlgResultLeave); return 0;
    case kDlgResultConfirm: Accept(); return 0;
    case kDlgKindNameWarning: warning_.reset(); return 0;
    default: return RDlgBase::HandleMessage(message, data);
    }
}

u32 RDlgEnterName::HandleKey(u32 key) {
    if (LeaveOnEscape(key)) return 1;
    if (keyRecordVirtualKey(key) == kKeyReturn) {
        Accept();
        return 1;
    }
    if (!field_) return 1;
    // Only a typed character is held to the alphabet; Tab and the control characters type
    // nothing here.
    if (const u8 character = keyRecordCharacter(key); alphabet_ && charIsPrintable(character) && !field_->Field().IsLegal(character)) {
        RefuseCharacter(character);
        return 1;
    }
    field_->Field().HandleKey(key);
    return 1;
}

}  // namespace Ostrel
