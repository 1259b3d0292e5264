#pragma once
// Shows a page's teacher's note and reads it aloud (when the user has text to speech on) as
// soon as it opens and again with the speaker button; the toggle chooses whether it is read
// in Spanish. OK stores a changed choice in the note and posts 297 (0, 0) to the owner, which
// deletes the dialog. A reading still running when the dialog goes is stopped, and speech goes
// back to the voices of the program's language.
// User-interface thread only.
#include <string>

#include "app/dialogs/RDlgBase.h"

class ASpeechHandler;

namespace Ostrel {

class RNotePageObject;

constexpr const char* kNoteContent = "RNoteDlg";
constexpr u16 kNoteLayout = 9000;
constexpr u16 kNoteTextParts = 9001;
constexpr u32 kDlgKindNote = 297;
constexpr u16 kNoteCmdSpanish = 1422;
constexpr u16 kNoteCmdRead = 1433;
constexpr size_t kNoteTextBytes = 512;
// The toggle's looks: ticked (read in Spanish) and not ticked, each also lit under the pointer.
constexpr u16 kNoteToggleSpanish = 9010;
constexpr u16 kNoteToggleEnglish = 9011;
constexpr u16 kNoteToggleSpanishLit = 9012;
constexpr u16 kNoteToggleEnglishLit = 9013;

class RNoteDlg : public RDlgBase {
public:
    RNoteDlg(CListener* owner, RNotePageObject* note);
    ~RNoteDlg() override;

    // 0 when up; 1 without a note or when the layout cannot be opened.
    i16 Open();
    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    void HandleTick(u32 now) override;

    bool ReadsSpanish() const { return spanish_ != 0; }
    bool IsSpeaking() const { return speaking_; }
    const std::string& ShownText() const { return text_; }

private:
    void Read();
    void StopReading();
    void DrawToggle();
    static void Draw(SprSprite* sprite);

    RNotePageObject* note_;
    ASpeechHandler* speech_;
    std::string text_;
    u16 spanish_ = 1;
    bool speaking_ = false;
    bool voiceChosen_ = false;
};

}  // namespace Ostrel
