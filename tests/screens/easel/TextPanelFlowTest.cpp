// The text panel on the running program: the text button opens it, a press on the page makes
// a text that the keys type into, the panel's buttons style it, a press on the bare page puts
// it down, and the picture saved keeps it; an empty text goes away with its frame; reading
// aloud follows the user's speech switch; each user's choices come back.
#include <gtest/gtest.h>

#include "app/menus/MenuCommands.h"
#include "document/objects/RTextPageObject.h"
#include "document/pages/RPage.h"
#include "document/storage/ObjectTypes.h"
#include "document/users/EnginePath.h"
#include "engine/gfx/GfxFont.h"
#include "panels/frames/RFrameMaker.h"
#include "panels/text/RTextPanel.h"
#include "panels/text/TextPanelLists.h"
#include "platform/clipboard/choice/ClipboardChoice.h"
#include "platform/keyboard/VirtualKeys.h"
#include "screens/easel/EaselCommands.h"
#include "screens/easel/RCanvas.h"
#include "tests/screens/easel/EaselHarness.h"

namespace {

using namespace Ostrel;

class TextPanelFlow : public testscreens::EaselHarness {
protected:
    RTextPanel* openTextPanel() {
        enterEasel();
        clickToolbar(kEaselToolbarText);
        settle();
        return dynamic_cast<RTextPanel*>(easel->CurrentPanel());
    }
    void clickToolbar(u32 command) {
        for (const auto& b : easel->Buttons())
            if (b->GetRecord().clickMessage == command) return click(centreOf(b->GetSprite()));
        ADD_FAILURE() << "no toolbar button " << command;
    }
    Point16 onPage(i16 x, i16 y) const {
        const Rect16& canvas = easel->Canvas()->CanvasRect();
        return {i16(canvas.left + x), i16(canvas.top + y)};
    }
    void type(const std::string& letters) {
        for (char c : letters) key(c == ' ' ? plat::kVkSpace : u8(c), c != ' ');
        settle();
    }
    void send(RTextPanel& panel, u32 code, u16 param2 = 0) {
        RMessage message(code, 0, param2);
        panel.HandleMessage(&message, 0);
        settle();
    }
    std::vector<RTextPageObject*> texts() const {
        std::vector<RTextPageObject*> found;
        u32 iterator = 0;
        RPageObject* object = nullptr;
        while (app->GetCurrentPage()->Data().NextObject(&iterator, &object, kTypeText))
            found.push_back(static_cast<RTextPageObject*>(object));
        return found;
    }
};

TEST_F(TextPanelFlow, PressTypeStyleSaveAndReopen) {
    RTextPanel* panel = openTextPanel();
    ASSERT_NE(panel, nullptr) << "the text button opens the text panel outside small-kids mode";
    ASSERT_NE(panel->GetCurrentTool(), nullptr);
    click(onPage(120, 150));
    ASSERT_NE(panel->Editing(), nullptr);
    type("HI THERE");
    RTextPageObject& text = panel->Editing()->Object();
    EXPECT_EQ(text.text.text, "HI THERE");
    panel->Editing()->Editor().SetSelection(3, 8);
    click(centreOf(panel->Buttons()[kTextButtonBold]->GetSprite()));
    send(*panel, kMsgTextSizeChosen, u16(findSize(24)));
    const TextRunRecord there{3, 8, "", 24, false, 0, kStyleOn, kStyleNotSet, kStyleNotSet};
    EXPECT_EQ(text.text.runs, std::vector<TextRunRecord>{there}) << "THERE alone is bold and 24";
    // Undo takes the size back and keeps the bold; the second Undo brings it again.
    for (const u16 size : {u16(0), u16(24)}) {
        mainWindow->OnCommand(kCmdUndo);
        settle();
        EXPECT_TRUE(text.text.runs.size() == 1 && text.text.runs[0].size == size && text.text.runs[0].bold == kStyleOn);
    }
    EXPECT_GE(text.rect.right - text.rect.left, 20) << "the text grew to its words";
    const u16 id = text.Id();
    click(onPage(400, 40));
    EXPECT_EQ(panel->Editing(), nullptr) << "the bare page puts the text down";
    ASSERT_EQ(texts().size(), 1u);

    for (const char c : std::string("WORDS")) queueKey(u8(c));
    queueKey(plat::kVkReturn);
    mainWindow->OnCommand(kCmdSave);
    settle();
    RPageData reopened;
    ASSERT_EQ(reopened.OpenAndLoad(EnginePath(app->GetPaths()->GetPicturesDir() + "\\words.tbx").get()), kErrNone);
    RPageObject* kept = nullptr;
    ASSERT_EQ(reopened.FindObject(kTypeText, id, &kept), 0);
    const TextRecord& record = static_cast<RTextPageObject*>(kept)->text;
    EXPECT_EQ(record.text, "HI THERE");
    EXPECT_EQ(record.runs, std::vector<TextRunRecord>{there});
}

TEST_F(TextPanelFlow, AnEmptyTextGoesAwayWithItsFrame) {
    RTextPanel* panel = openTextPanel();
    ASSERT_NE(panel, nullptr);
    click(onPage(100, 100));
    ASSERT_EQ(texts().size(), 1u);
    // Elsewhere on the page: the empty text goes and a new one is made where the press was.
    click(onPage(300, 260));
    ASSERT_EQ(texts().size(), 1u);
    ASSERT_NE(panel->Editing(), nullptr);
    EXPECT_EQ(&panel->Editing()->Object(), texts()[0]);
    EXPECT_GT(texts()[0]->rect.top, 200);
    const RFrameMaker& frames = *easel->Canvas()->FrameMaker();
    ASSERT_EQ(frames.FrameCount(), 1u);
    EXPECT_EQ(frames.Frame(0).Object(), texts()[0]) << "no frame is left on the deleted text";
    clickToolbar(kEaselToolbarPencil);
    EXPECT_TRUE(texts().empty()) << "leaving the panel puts the empty text away too";
    EXPECT_EQ(frames.FrameCount(), 0u);
}

TEST_F(TextPanelFlow, ReadingAloudFollowsTheSpeechSwitch) {
    RTextPanel* panel = openTextPanel();
    ASSERT_NE(panel, nullptr);
    click(onPage(100, 100));
    type("HELLO");
    for (const u16 on : {u16(0), u16(1)}) {
        app->GetGlobalUserSettings()->textToSpeech = on;
        send(*panel, kMsgTextSpeak);
        EXPECT_EQ(panel->IsSpeaking(), on != 0) << on;
        EXPECT_EQ(panel->SpokenText(), on ? "HELLO" : "") << "nothing is kept while speech is off";
        send(*panel, kMsgTextSpeak);
        EXPECT_FALSE(panel->IsSpeaking()) << "a second press stops the speech";
        EXPECT_TRUE(panel->SpokenText().empty());
    }
}

TEST_F(TextPanelFlow, EachUsersChoicesComeBack) {
    RTextPanel* panel = openTextPanel();
    ASSERT_NE(panel, nullptr);
    ASSERT_GE(panel->FontNames().size(), 2u) << "the headless fonts list at least two families";
    EXPECT_EQ(panel->VoiceIndex(), 1) << "a new user starts with the second voice";
    EXPECT_EQ(kTextSizes[size_t(panel->SizeIndex())], 14);
    const int font = int(panel->FontNames().size()) - 1;
    send(*panel, kMsgTextFontChosen, u16(font));
    send(*panel, kMsgTextSizeChosen, 2);
    send(*panel, kMsgTextJustifyCentre);
    send(*panel, kMsgTextVoiceChosen, 2);
    clickToolbar(kEaselToolbarPencil);
    clickToolbar(kEaselToolbarText);
    panel = dynamic_cast<RTextPanel*>(easel->CurrentPanel());
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->FontIndex(), font);
    EXPECT_EQ(panel->SizeIndex(), 2);
    EXPECT_EQ(panel->Justification(), 0);
    EXPECT_EQ(panel->VoiceIndex(), 2);
}

// Another program's words come into the text being typed with Ctrl+V, and the program's own
// copy goes out to other programs with Ctrl+C.
TEST_F(TextPanelFlow, TheKeysPasteAnotherProgramsWordsAndCopyOurs) {
    RTextPanel* panel = openTextPanel();
    ASSERT_NE(panel, nullptr);
    auto* desktop = dynamic_cast<plat::LocalClipboard*>(&plat::clipboard());
    ASSERT_NE(desktop, nullptr);
    click(onPage(120, 150));
    ASSERT_NE(panel->Editing(), nullptr);
    desktop->setText("hola ni\xF1o");
    const mfxMenu& menu = *mainWindow->GetMenu();
    EXPECT_FALSE(menu.IsItemEnabled(mfxMenuCommand(kCmdPaste))) << "set when the panel opened";
    // The Edit title on the bar, above the screen's own top.
    click({60, i16(10 - mainWindow->ContentTop())});
    EXPECT_TRUE(menu.IsItemEnabled(mfxMenuCommand(kCmdPaste))) << "set again as the Edit menu opens";
    key(plat::kVkEscape);
    desktop->setText("hola ni\xF1o");
    controlKey('V');
    settle();
    EXPECT_EQ(panel->Editing()->Object().text.text, "hola ni\xF1o");
    panel->Editing()->Editor().SetSelection(0, 4);
    controlKey('C');
    settle();
    EXPECT_EQ(desktop->text(), "hola");
}

// A Spanish keyboard's letters type into a text on the page, and the page's texts can be read
// aloud from the Controls menu while the text or the cut-and-move panel is up.
TEST_F(TextPanelFlow, TheLayoutsLettersTypeAndTheTextCanBeReadAloud) {
    RTextPanel* panel = openTextPanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(enabled(kCmdTextToSpeech)) << "no text on the page yet";
    click(onPage(120, 150));
    ASSERT_NE(panel->Editing(), nullptr);
    ScreenHarness::type("ni\xC3\xB1o \xC3\xA1rbol \xC2\xBFqu\xC3\xA9?");
    EXPECT_EQ(panel->Editing()->Object().text.text, "ni\xF1o \xE1rbol \xBFqu\xE9?");
    click(onPage(400, 40));
    struct Case {
        u32 toolbar;
        bool readable;
    };
    for (const Case& c : {Case{kEaselToolbarGrab, true}, Case{kEaselToolbarPencil, false}, Case{kEaselToolbarText, true}}) {
        SCOPED_TRACE(c.toolbar);
        clickToolbar(c.toolbar);
        settle();
        EXPECT_EQ(enabled(kCmdTextToSpeech), c.readable);
    }
}

}  // namespace
