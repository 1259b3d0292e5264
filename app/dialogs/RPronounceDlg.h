#pragma once
// Teaches the speech engine how to say a word: the word and how it sounds (at most 20
// characters each) are typed in two fields (Tab or a press switches between them), each can be
// spoken (the owner hears 249 with the text as a std::string payload, and answers 250 when
// the speaking has ended), and Add (or Enter) hands the pair to the speech
// handler when both hold text. Leaving answers (code = the kind, the dialog, 1395); the owner
// deletes the dialog. User-interface thread only.
#include <memory>
#include <string>

#include "app/dialogs/DialogEntryField.h"
#include "app/dialogs/RDlgBase.h"

class ASpeechHandler;

namespace Ostrel {

constexpr const char* kPronounceContent = "RPronounceDlg";
constexpr u16 kPronounceLayout = 6500;
constexpr u16 kPronounceWordArea = 6517;
constexpr u16 kPronounceSoundArea = 6518;
constexpr u16 kPronounceMaxLength = 20;
constexpr u16 kPronounceCmdAdd = 1801;
constexpr u16 kPronounceCmdSayWord = 1802;
constexpr u16 kPronounceCmdSaySound = 1803;
// To the owner: speak this text (payload std::string, param2 its length); from it: done.
constexpr u32 kMsgSpeakText = 249;
constexpr u32 kMsgSpeakingDone = 250;

class RPronounceDlg : public RDlgBase {
public:
    // `kind` 0 answers with 1395.
    RPronounceDlg(CListener* owner, u32 kind);
    ~RPronounceDlg() override;

    i16 Open();
    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    u32 HandleKey(u32 key) override;
    u32 HandleInput(u32 button, Point16 point, u32 buttons) override;
    u32 HandleMouseUp(u32 button, Point16 point, u32 buttons) override;
    u32 HandleMouseMove(Point16 point, u32 buttons) override;
    void HandleTick(u32 now) override;

    DialogEntryField* WordField() const { return word_.get(); }
    DialogEntryField* SoundField() const { return sound_.get(); }
    // 6517 or 6518; -1 when neither field is active.
    int ActiveArea() const { return activeArea_; }

private:
    DialogEntryField* Active() const;
    void Activate(int area);
    void Say(DialogEntryField* field);
    void SpeakButtons(u16 event);
    void Add();

    ASpeechHandler* speech_;
    std::unique_ptr<DialogEntryField> word_;
    std::unique_ptr<DialogEntryField> sound_;
    int activeArea_ = -1;
};

}  // namespace Ostrel
