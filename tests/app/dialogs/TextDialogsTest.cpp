#include <memory>

#include "app/dialogs/RABCTextDlg.h"
#include "app/dialogs/RNoteDlg.h"
#include "app/dialogs/RPickBgSndDlg.h"
#include "app/dialogs/RPronounceDlg.h"
#include "document/objects/RNotePageObject.h"
#include "framework/messaging/mfDispatcher.h"
#include "text/host/TextKeys.h"
#include "tests/app/harness/ScreenHarness.h"
#include "tests/framework/input/TestKeys.h"

namespace {

using namespace Ostrel;

constexpr u32 kTextDialogKind = 5151;

class TextDialogs : public testapp::ScreenHarness {
protected:
    void SetUp() override {
        ScreenHarness::SetUp();
        startLoggedIn();
    }
    void command(RDlgBase& dialog, u32 code) {
        RMessage message(code, 0, 0);
        dialog.HandleMessage(&message, 0);
    }
    testapp::RecordingOwner owner;
};

TEST_F(TextDialogs, TheABCTextIsCutToItsSixtyThreeCharacters) {
    const std::string exact(63, 'x');
    struct Case {
        std::string given;
        std::string shown;
    };
    const Case cases[] = {{"", ABCTextDefault()}, {exact, exact}, {exact + "y", exact}, {"abc", "abc"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.given.size());
        owner.heard.clear();
        RABCTextDlg dialog(&owner, 0);
        ASSERT_EQ(dialog.Open(c.given), 0);
        EXPECT_EQ(dialog.Field()->Text(), c.shown);
        command(dialog, kDlgResultConfirm);
        settle();
        ASSERT_EQ(owner.heard.size(), 1u);
        EXPECT_EQ(owner.heard[0].code, kDlgKindABCText);
        EXPECT_EQ(dialog.Text(), c.shown);
    }
    // Text put into the field past its limit is still kept to 63 characters.
    owner.heard.clear();
    RABCTextDlg dialog(&owner, kTextDialogKind);
    ASSERT_EQ(dialog.Open("abc"), 0);
    dialog.Field()->Field().Field().SetText((exact + "zz").c_str(), 65, false, false);
    dialog.HandleKey(testkeys::returnKey());
    settle();
    ASSERT_EQ(owner.heard.size(), 1u);
    EXPECT_EQ(dialog.Text().size(), 63u);
}

TEST_F(TextDialogs, ABlankABCTextStaysOpenAndOkFollowsTheField) {
    RABCTextDlg dialog(&owner, kTextDialogKind);
    ASSERT_EQ(dialog.Open("a"), 0);
    EXPECT_TRUE(dialog.ButtonSet().IsEnabled(kDlgResultConfirm));
    dialog.Field()->Field().SetText("   ");
    command(dialog, kDlgResultConfirm);
    settle();
    EXPECT_TRUE(owner.heard.empty());
    dialog.Field()->Field().SelectAll();
    dialog.Field()->Field().Clear();
    dialog.HandleKeyUp(testkeys::backspaceKey());
    EXPECT_FALSE(dialog.ButtonSet().IsEnabled(kDlgResultConfirm));
    command(dialog, kABCTextCmdOther);
    settle();
    ASSERT_EQ(owner.heard.size(), 1u);
    EXPECT_EQ(owner.heard[0].param2, kABCTextCmdOther);
}

TEST_F(TextDialogs, TheNoteShowsItsTextAndOkStoresAChangedLanguageChoice) {
    RNotePageObject note(1);
    note.SetText(std::string(600, 'n'));
    note.SetKind(1);
    {
        RNoteDlg withoutNote(&owner, nullptr);
        EXPECT_EQ(withoutNote.Open(), 1);
    }
    RNoteDlg dialog(&owner, &note);
    ASSERT_EQ(dialog.Open(), 0);
    EXPECT_EQ(dialog.ShownText().size(), kNoteTextBytes);
    EXPECT_TRUE(dialog.ReadsSpanish());
    command(dialog, kNoteCmdSpanish);
    EXPECT_FALSE(dialog.ReadsSpanish());
    command(dialog, kDlgResultConfirm);
    settle();
    EXPECT_EQ(note.GetKind(), 0);
    ASSERT_EQ(owner.codes(), std::vector<u32>{kDlgKindNote});
    EXPECT_EQ(owner.heard[0].param1, 0u);
}

TEST_F(TextDialogs, ThePronunciationNeedsBothFieldsAndTabSwitchesBetweenThem) {
    RPronounceDlg dialog(&owner, 0);
    ASSERT_EQ(dialog.Open(), 0);
    EXPECT_EQ(dialog.ActiveArea(), kPronounceWordArea);
    for (char c : std::string("Tumblo")) dialog.HandleKey(testkeys::typedKey(u8(c)));
    dialog.HandleKey(testkeys::returnKey());
    EXPECT_EQ(dialog.WordField()->Text(), "Tumblo");  // the pronunciation is still empty
    dialog.HandleKey(testkeys::tabKey());
    EXPECT_EQ(dialog.ActiveArea(), kPronounceSoundArea);
    for (char c : std::string("tumm blow")) dialog.HandleKey(testkeys::typedKey(u8(c)));
    EXPECT_EQ(dialog.SoundField()->Text(), "tumm blow");
    // Saying the word hands the owner a copy.
    command(dialog, kPronounceCmdSayWord);
    settle();
    ASSERT_EQ(owner.codes(), std::vector<u32>{kMsgSpeakText});
    const std::string* said = owner.heard[0].Payload<std::string>();
    ASSERT_NE(said, nullptr);
    EXPECT_EQ(*said, "Tumblo");
    EXPECT_EQ(owner.heard[0].param2, 6);
    dialog.HandleKey(testkeys::returnKey());
    EXPECT_EQ(dialog.WordField()->Text(), "");
    EXPECT_EQ(dialog.SoundField()->Text(), "");
    command(dialog, kDlgResultLeave);
    settle();
    EXPECT_EQ(owner.heard.back().code, kDlgResultLeave);
}

TEST_F(TextDialogs, APronunciationDialogThatNeverOpenedGivesTheMenusBack) {
    {
        RPronounceDlg dialog(&owner, 0);
        EXPECT_EQ(mainWindow->IsMenuDisabled(), 1);
    }
    EXPECT_EQ(mainWindow->IsMenuDisabled(), 0);
}

TEST_F(TextDialogs, ASpokenTextNeverDeliveredGoesWithTheDialog) {
    auto dialog = std::make_unique<RPronounceDlg>(&owner, 0);
    ASSERT_EQ(dialog->Open(), 0);
    dialog->HandleKey(testkeys::typedKey('a'));
    command(*dialog, kPronounceCmdSayWord);
    dialog.reset();  // LeakSanitizer tells if the copy stayed behind
    settle();
    EXPECT_TRUE(owner.heard.empty());
}

// A delivered text is the owner's: the dialog going later leaves it and whatever the owner
// did with it (here: handed it on in a message of its own) alone.
TEST_F(TextDialogs, ASpokenTextDeliveredBelongsToTheOwnerWhenTheDialogGoes) {
    RSender relay(fourCC("RELY"));
    testapp::RecordingOwner speaker;
    owner.onMessage = [&](const RMessage& heard) {
        if (heard.code != kMsgSpeakText) return;
        RMessage relayed = heard;
        relayed.target = &speaker;
        relay.PostRecord(relayed);
    };
    auto dialog = std::make_unique<RPronounceDlg>(&owner, 0);
    ASSERT_EQ(dialog->Open(), 0);
    dialog->HandleKey(testkeys::typedKey('a'));
    command(*dialog, kPronounceCmdSayWord);
    // The owner hears it and passes it on; the relayed message still waits.
    mfDispatcher().DispatchQueuedMessages();
    ASSERT_EQ(owner.codes(), std::vector<u32>{kMsgSpeakText});
    dialog.reset();
    settle();
    ASSERT_EQ(speaker.codes(), std::vector<u32>{kMsgSpeakText});
    const std::string* said = speaker.heard[0].Payload<std::string>();
    ASSERT_NE(said, nullptr);
    EXPECT_EQ(*said, "a");
}

TEST_F(TextDialogs, TheBackgroundSoundAnswersOkCancelAndEnter) {
    for (u16 id : {kDlgResultLeave, kDlgResultConfirm, u16(0)}) {
        SCOPED_TRACE(id);
        owner.heard.clear();
        RPickBgSndDlg dialog(&owner, 0);
        ASSERT_EQ(dialog.Open(), 0);
        if (id)
            command(dialog, id);
        else
            dialog.HandleKey(testkeys::returnKey());
        settle();
        ASSERT_EQ(owner.heard.size(), 1u);
        EXPECT_EQ(owner.heard[0].code, kDlgKindPickBgSnd);
        EXPECT_EQ(owner.heard[0].param2, id ? id : kDlgResultConfirm);
    }
}

}  // namespace
