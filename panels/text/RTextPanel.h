#pragma once
// The panel of the easel's text button. A press on the page makes a text object there, which
// the child types into; a press on a text edits it again (a second press selects a word), a
// press on the bare page puts the text down (an empty text goes away). The panel chooses the
// font among the installed families, the size, bold, italic and underline, the justification
// and (through the colour picker) the colour of the text being edited, and the same for the
// next text; it cuts, copies and pastes, checks the spelling (Toolbox > Check Spelling), reads
// the text aloud in one of the voices of the program's language while the user's speech
// switch is on, and opens the pronunciation dialog (Toolbox > Say It This Way). A style change
// applies to the selection, or at the caret to what is typed next. The choices of font,
// size, justification and voice are each user's ([TextPanel]). User-interface thread only.
#include <memory>
#include <string>
#include <vector>

#include "document/clipboard/CCPObj.h"
#include "framework/controls/RFontPopup.h"
#include "framework/controls/RTextPopup.h"
#include "panels/base/RToolPanel.h"
#include "panels/text/PageTextEditor.h"
#include "panels/text/TextPanelCommands.h"
#include "panels/text/record/TextPanelRecord.h"

namespace Ostrel {

class FrameHost;
class RFrameMaker;
class RPronounceDlg;
class RTextPageObject;

constexpr u16 kTextButtonSet = 18230;
constexpr u16 kTextPanelShape = 18049;
constexpr u16 kTextCursorPlace = 19;
constexpr u16 kTextCursorSpeaking = 20;
// The bounds a new text keeps from the canvas's edges, and from its top.
constexpr i16 kTextObjectInset = 27;
constexpr i16 kTextObjectTopGap = 10;
constexpr const char* kTextClipFormat = "Tumblo4 Text";

// Places of the buttons in set 18230.
enum TextPanelButton : int {
    kTextButtonFont = 0,
    kTextButtonSize = 1,
    kTextButtonSpeak = 2,
    kTextButtonVoice = 5,
    kTextButtonLeft = 6,
    kTextButtonRight = 7,
    kTextButtonCentre = 8,
    kTextButtonBold = 9,
    kTextButtonItalic = 10,
    kTextButtonUnderline = 11,
    kTextButtonPronounce = 15,
};

class RTextPanel : public RToolPanel, public CCPObj {
public:
    // `frames` and `host`: the canvas's frame maker and the canvas; either may be null (no
    // texts are made then).
    RTextPanel(CListener* owner, const Paths* userPaths, RFrameMaker* frames, FrameHost* host);
    ~RTextPanel() override;

    u16 Init() override;
    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    u16 RestorePrefs() override;
    u16 SavePrefs() override;
    // The page is about to be replaced: the text being edited is put down first, and the
    // texts' frames go (1); they come again, outlined, when the panel takes the canvas again.
    u16 RemoveFrameMaker() override;
    void CreateFrameMaker() override;

    u32 HandleInput(u32 button, Point16 point, u32 buttons) override;
    u32 HandleMouseUp(u32 button, Point16 point, u32 buttons) override;
    u32 HandleMouseMove(Point16 point, u32 buttons) override;
    u32 HandleKey(u32 key) override;
    void HandleTick(u32 now) override;

    bool Copy() override;
    bool Paste() override;
    bool Cut() override;
    bool CanPaste() override;

    // Puts the text being edited down: 1 when it stays on the page, 0 when it was empty and
    // went away (its frame first), 0 with nothing edited.
    u16 CommitText();
    void CheckSpelling();
    // Reads the text aloud when the user's speech switch is on; false when nothing was said.
    bool Speak(const std::string& text);
    void StopSpeaking();

    PageTextEditor* Editing() const { return editing_.get(); }
    bool IsSpeaking() const { return speaking_; }
    const std::string& SpokenText() const { return spoken_; }
    const std::vector<std::string>& FontNames() const { return fonts_; }
    const std::vector<std::string>& VoiceNames() const { return voices_; }
    int FontIndex() const { return fontIndex_; }
    int SizeIndex() const { return sizeIndex_; }
    u16 VoiceIndex() const { return voiceIndex_; }
    i32 Justification() const { return justification_; }
    RPronounceDlg* PronounceDialog() const { return pronounce_.get(); }

private:
    // Forgets the text being edited when its page no longer holds it.
    void DropLostText();
    void BuildLists();
    void BuildVoiceList();
    void SetDefaults();
    void RefreshControls();
    void RedrawLabels();
    void ApplyStyle(const TextStyle& style);
    void ApplyJustification(i32 value);
    void ChooseFont(int index);
    void ChooseSize(int index);
    void ChooseVoice(int index);
    void SetStyleFlag(int button, u32 TextStyle::*flag);
    void CreateTextObject(Point16 point);
    void Edit(RTextPageObject* object);
    RTextPageObject* TextAt(Point16 point) const;
    void MakeTool();
    void OpenPopup(RTextPopup* popup, int button);
    void ClosePopup();
    void OpenPronounceDialog();
    void SetButton(int button, bool down);
    void LetGoOf(u32 click);
    // After the editor changed the text: the page shows it.
    void Changed();
    static void DrawLabel(SprSprite* sprite);
    static void DrawPopup(SprSprite* sprite);

    RFrameMaker* frames_;
    FrameHost* host_;
    TextPanelChoices choices_;
    std::vector<std::string> fonts_;
    std::vector<std::string> sizes_;
    std::vector<std::string> voices_;
    int fontIndex_ = 1;
    int sizeIndex_ = 10;
    u16 voiceIndex_ = 0;
    i32 justification_ = -1;
    std::unique_ptr<RFontPopup> fontPopup_;
    std::unique_ptr<RTextPopup> sizePopup_;
    std::unique_ptr<RTextPopup> voicePopup_;
    RTextPopup* openPopup_ = nullptr;
    u16 popupSprite_ = 0;
    GfxFont* labelFont_ = nullptr;
    std::unique_ptr<PageTextEditor> editing_;
    std::unique_ptr<RPronounceDlg> pronounce_;
    bool creating_ = false;
    bool speaking_ = false;
    std::string spoken_;
};

}  // namespace Ostrel
