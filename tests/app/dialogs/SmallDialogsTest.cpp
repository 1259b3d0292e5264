#include <algorithm>
#include <functional>
#include <memory>

#include "app/dialogs/RDeleter.h"
#include "app/dialogs/RDlgEnterName.h"
#include "app/dialogs/RDlgEnterSnd.h"
#include "app/dialogs/RDlgWarnings.h"
#include "app/dialogs/RFlattenDlg.h"
#include "app/dialogs/RGetStartDlg.h"
#include "app/dialogs/RPickBgColorDlg.h"
#include "app/application/RApplication.h"
#include "document/project/RDocument.h"
#include "platform/keyboard/VirtualKeys.h"
#include "text/host/TextKeys.h"
#include "tests/app/harness/ScreenHarness.h"
#include "tests/framework/input/TestKeys.h"

namespace {

using namespace Ostrel;

constexpr u32 kSmallDialogKind = 4242;
// The save question as the content set draws it (golden picture "SaveQuestion").
constexpr Rect16 kSaveQuestionRect{180, 170, 616, 424};

class SmallDialogs : public testapp::ScreenHarness {
protected:
    void SetUp() override {
        ScreenHarness::SetUp();
        startLoggedIn();
    }
    void command(RDlgBase& dialog, u32 code, uintptr_t param1 = 0) {
        RMessage message(code, param1, 0);
        dialog.HandleMessage(&message, 0);
    }
    // The one answer the owner heard: (code, param1, param2).
    void expectAnswer(const RDlgBase& dialog, u32 code, u16 result) {
        ASSERT_EQ(owner.heard.size(), 1u);
        EXPECT_EQ(owner.heard[0].code, code);
        EXPECT_EQ(owner.heard[0].param1, reinterpret_cast<uintptr_t>(&dialog));
        EXPECT_EQ(owner.heard[0].param2, result);
        EXPECT_EQ(dialog.GetResult(), result);
    }
    Point16 buttonCentre(RDlgBase& dialog, u16 id) {
        RButton* button = dialog.ButtonSet().Find(id);
        return button ? centreOf(button->GetSprite()) : Point16{-1, -1};
    }
    void typeKeys(RDlgBase& dialog, const std::string& text) {
        for (char c : text) dialog.HandleKey(testkeys::typedKey(u8(c)));
    }

    testapp::RecordingOwner owner;
};

TEST_F(SmallDialogs, TheSaveQuestionShowsAnswersWithTheButtonClickedAndGivesTheMenusBack) {
    const Rect16 screen{0, 0, 800, 600};
    const u64 before = PictureHash(screen);
    auto dialog = std::make_unique<RDlgWarnings>(&owner, kSmallDialogKind);
    ASSERT_EQ(dialog->Open(kWarningSaveChanges), 0);
    settle();
    EXPECT_NE(PictureHash(screen), before);
    ExpectPicture("SaveQuestion", kSaveQuestionRect);
    EXPECT_EQ(mainWindow->IsMenuDisabled(), 1);
    EXPECT_FALSE(dialog->ItemButtonsUp());
    // The answer comes through the queue, not during the click.
    const Point16 yes = buttonCentre(*dialog, kWarningResultYes);
    click(yes);
    expectAnswer(*dialog, kSmallDialogKind, kWarningResultYes);
    dialog.reset();
    settle();
    EXPECT_EQ(mainWindow->IsMenuDisabled(), 0);
    // Its buttons went with it.
    click(yes);
    EXPECT_EQ(owner.heard.size(), 1u);
}

TEST_F(SmallDialogs, EveryWarningButtonAnswersWithItsOwnId) {
    for (u16 id : {kDlgResultLeave, kDlgResultConfirm, kWarningResultYes, kWarningResultNo}) {
        SCOPED_TRACE(id);
        owner.heard.clear();
        RDlgWarnings dialog(&owner, kSmallDialogKind);
        ASSERT_EQ(dialog.Open(kWarningFirstMessage + 1), 0);
        command(dialog, id);
        settle();
        expectAnswer(dialog, kSmallDialogKind, id);
    }
}

TEST_F(SmallDialogs, QuestionsWithItemButtonsTakeClicksOnTheItemsOnly) {
    struct Case {
        u16 message;
        bool items;
    };
    // 7540 and 7542..7551 answer with their items; 7541 and the ends outside do not.
    const Case cases[] = {{7539, false}, {7540, true}, {7541, false}, {7542, true}, {7551, true}, {7552, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        RDlgWarnings dialog(&owner, kSmallDialogKind);
        ASSERT_EQ(dialog.Open(c.message), 0);
        EXPECT_EQ(dialog.ItemButtonsUp(), c.items);
        EXPECT_EQ(dialog.ButtonSet().IsEnabled(kDlgResultLeave), !c.items);
        if (c.items) {
            EXPECT_TRUE(dialog.ItemButtons().IsEnabled(kWarningResultNo));
        }
    }
    owner.heard.clear();
    RDlgWarnings dialog(&owner, kSmallDialogKind);
    ASSERT_EQ(dialog.Open(7542), 0);
    settle();
    click(centreOf(dialog.ItemButtons().Find(kWarningResultNo)->GetSprite()));
    expectAnswer(dialog, kSmallDialogKind, kWarningResultNo);
}

TEST_F(SmallDialogs, ASaveQuestionShowsOnlyItsItemButtonsAndEachAnswers) {
    // Where the layout's own buttons stand (with their glow): a warning without items shows
    // them there, the quit question its items.
    Rect16 ownButtons{};
    u64 faceAlone = 0;
    {
        RDlgWarnings warning(&owner, kSmallDialogKind);
        ASSERT_EQ(warning.Open(7541), 0);
        settle();
        ASSERT_EQ(warning.ButtonSet().Count(), 3);
        ownButtons = sprFind(warning.ButtonSet().Buttons()[0]->GetSprite())->bounds;
        for (const auto& own : warning.ButtonSet().Buttons()) {
            const Rect16 b = sprFind(own->GetSprite())->bounds;
            ownButtons = {std::min(ownButtons.left, b.left), std::min(ownButtons.top, b.top),
                          std::max(ownButtons.right, b.right), std::max(ownButtons.bottom, b.bottom)};
            own->Hide();
        }
        settle();
        faceAlone = PictureHash(ownButtons);
    }
    for (u16 answer : {kDlgResultLeave, kWarningResultNo, kWarningResultYes}) {
        SCOPED_TRACE(answer);
        owner.heard.clear();
        RDlgWarnings dialog(&owner, kSmallDialogKind);
        ASSERT_EQ(dialog.Open(7544), 0);
        settle();
        ASSERT_TRUE(dialog.ItemButtonsUp());
        ASSERT_EQ(dialog.ItemButtons().Count(), 3);
        for (const auto& own : dialog.ButtonSet().Buttons()) EXPECT_FALSE(own->IsShown()) << own->GetCommand();
        // The items stand on the dialog's face, where its own buttons would.
        for (const auto& item : dialog.ItemButtons().Buttons()) {
            const Rect16 b = sprFind(item->GetSprite())->bounds;
            const Rect16& face = kSaveQuestionRect;
            EXPECT_TRUE(b.left >= face.left && b.right <= face.right && b.top >= face.top && b.bottom <= face.bottom)
                << "item " << item->GetCommand();
            EXPECT_TRUE(b.left < ownButtons.right && ownButtons.left < b.right && b.top < ownButtons.bottom &&
                        ownButtons.top < b.bottom)
                << "item " << item->GetCommand();
        }
        const u64 withItems = PictureHash(ownButtons);
        EXPECT_NE(withItems, faceAlone) << "the item buttons do not show";
        if (answer == kDlgResultLeave) {
            // Without its items nothing but the dialog's face is left there.
            for (const auto& item : dialog.ItemButtons().Buttons()) item->Hide();
            settle();
            EXPECT_EQ(PictureHash(ownButtons), faceAlone) << "a button of the layout shows under the items";
            for (const auto& item : dialog.ItemButtons().Buttons()) item->Show();
            settle();
            EXPECT_EQ(PictureHash(ownButtons), withItems);
        }
        click(centreOf(dialog.ItemButtons().Find(answer)->GetSprite()));
        expectAnswer(dialog, kSmallDialogKind, answer);
    }
}

TEST_F(SmallDialogs, ADialogDeletedBeforeItsAnswerIsDeliveredLosesIt) {
    auto dialog = std::make_unique<RDlgWarnings>(&owner, kSmallDialogKind);
    ASSERT_EQ(dialog->Open(kWarningSaveChanges), 0);
    command(*dialog, kWarningResultNo);
    dialog.reset();
    settle();
    EXPECT_TRUE(owner.heard.empty());
}

TEST_F(SmallDialogs, FlattenKnowsItsObjectsAndAnswersOneAllOrLeave) {
    struct Case {
        u16 command;
        FourCC kind;
        u16 button;
    };
    const Case cases[] = {{kFlattenStickersCommand, fourCC("tSWF"), kFlattenResultOne},
                          {kFlattenTextCommand, fourCC("tTXT"), kFlattenResultAll},
                          {7, 0, kDlgResultLeave}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        owner.heard.clear();
        RFlattenDlg dialog(&owner, kSmallDialogKind, c.command);
        EXPECT_EQ(dialog.ObjectKind(), c.kind);
        ASSERT_EQ(dialog.Open(), 0);
        settle();
        click(buttonCentre(dialog, c.button));
        expectAnswer(dialog, kSmallDialogKind, c.button);
    }
}

// Escape is the Cancel button of every small dialog, whether its keys type into a field or
// not; the answer reaches the owner once.
TEST_F(SmallDialogs, EscapeLeavesEachDialogAsItsCancelButtonDoes) {
    RDocument document(nullptr);
    using Opener = std::function<std::unique_ptr<RDlgBase>()>;
    const std::pair<const char*, Opener> dialogs[] = {
        {"warning", [&] { auto d = std::make_unique<RDlgWarnings>(&owner, kSmallDialogKind); return d->Open(7541) == 0 ? std::move(d) : nullptr; }},
        {"save question", [&] { auto d = std::make_unique<RDlgWarnings>(&owner, kSmallDialogKind); return d->Open(7544) == 0 ? std::move(d) : nullptr; }},
        {"flatten", [&] { auto d = std::make_unique<RFlattenDlg>(&owner, kSmallDialogKind, kFlattenTextCommand); return d->Open() == 0 ? std::move(d) : nullptr; }},
        {"name", [&] { auto d = std::make_unique<RDlgEnterName>(&owner, kSmallDialogKind); return d->Open(kEnterNameLabelFirst, "Zoo") == 0 ? std::move(d) : nullptr; }},
        {"colour", [&] { auto d = std::make_unique<RPickBgColorDlg>(&owner, kSmallDialogKind); return d->Open(&document) == 0 ? std::move(d) : nullptr; }},
    };
    for (const auto& [name, open] : dialogs) {
        SCOPED_TRACE(name);
        owner.heard.clear();
        std::unique_ptr<RDlgBase> dialog = open();
        ASSERT_NE(dialog, nullptr);
        settle();
        key(plat::kVkEscape);
        settle();
        expectAnswer(*dialog, kSmallDialogKind, kDlgResultLeave);
    }
}

TEST_F(SmallDialogs, TheDeleteConfirmationShowsItsMessageAndAnswers) {
    RDeleter dialog(&owner);
    ASSERT_EQ(dialog.Open(7811), 0);
    settle();
    click(buttonCentre(dialog, kDlgResultConfirm));
    expectAnswer(dialog, kDlgKindDeleter, kDlgResultConfirm);
}

TEST_F(SmallDialogs, TheNameDialogStartsWithTheTextOrUntitledAndAcceptsATrimmedName) {
    {
        RDlgEnterName dialog(&owner, kSmallDialogKind);
        ASSERT_EQ(dialog.Open(kEnterNameLabelSecond, nullptr), 0);
        ASSERT_NE(dialog.Field(), nullptr);
        EXPECT_EQ(dialog.Field()->Text(), kEnterNameDefault);
    }
    RDlgEnterName dialog(&owner, kSmallDialogKind);
    ASSERT_EQ(dialog.Open(kEnterNameLabelFirst, "  My zoo  "), 0);
    EXPECT_EQ(dialog.Field()->Text(), "  My zoo  ");
    dialog.HandleKey(testkeys::returnKey());
    settle();
    expectAnswer(dialog, kSmallDialogKind, kDlgResultConfirm);
    EXPECT_EQ(dialog.TypedName(), "My zoo");
}

TEST_F(SmallDialogs, ABlankNameDoesNothingOnEnterOrOk) {
    RDlgEnterName dialog(&owner, kSmallDialogKind);
    ASSERT_EQ(dialog.Open(0, "   "), 0);
    dialog.HandleKey(testkeys::returnKey());
    command(dialog, kDlgResultConfirm);
    settle();
    EXPECT_TRUE(owner.heard.empty());
    command(dialog, kDlgResultLeave);
    settle();
    expectAnswer(dialog, kSmallDialogKind, kDlgResultLeave);
}

TEST_F(SmallDialogs, OnlyAPrintableCharacterOutsideTheAlphabetRaisesTheAlert) {
    RDlgEnterName dialog(&owner, kSmallDialogKind);
    ASSERT_EQ(dialog.Open(0, "ab"), 0);
    settle();
    alerts();
    // Shift, an arrow and Tab through the platform's key road: none is a typed character.
    key(0x10);
    key(0x25);
    key(0x09);
    key('A', true);
    // Control characters with their keys (Ctrl+A types 1) and without.
    for (u32 control : {testkeys::controlKey('A'), testkeys::composedKey(0x09), testkeys::composedKey(0x1B)})
        dialog.HandleKey(control);
    for (const mfxAlertRecord& shown : alerts()) ADD_FAILURE() << "alert: " << shown.text;
    // A typed '*' is outside the alphabet: the alert names it and nothing is typed.
    const std::string before = dialog.Field()->Text();
    dialog.HandleKey(testkeys::typedKey('*'));
    const std::vector<mfxAlertRecord> shown = alerts();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].style, kAlertOk);
    EXPECT_EQ(shown[0].text.rfind("' * ' ", 0), 0u) << shown[0].text;
    EXPECT_NE(shown[0].text.find("cannot be used"), std::string::npos);
    EXPECT_EQ(dialog.Field()->Text(), before);
}

TEST_F(SmallDialogs, PastedTextIsCheckedWholeWhenTheNameIsTaken) {
    struct Case {
        const char* text;
        bool accepted;
    };
    // The field holds what a paste put there; the name becomes a file or folder name.
    const Case cases[] = {{"Zoo 2", true}, {"Zoo*2", false}, {"../up", false}, {"a/b", false}, {"..", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        owner.heard.clear();
        alerts();
        RDlgEnterName dialog(&owner, kSmallDialogKind);
        ASSERT_EQ(dialog.Open(0, c.text), 0);
        command(dialog, kDlgResultConfirm);
        settle();
        EXPECT_EQ(owner.heard.size(), c.accepted ? 1u : 0u);
        EXPECT_EQ(dialog.TypedName(), c.accepted ? std::string(c.text) : std::string());
        EXPECT_EQ(alerts().size(), c.accepted ? 0u : 1u) << "a refusal names the character";
    }
}

TEST_F(SmallDialogs, ARefusedNameShowsTheWarningWhoseAnswerOnlyClosesIt) {
    RDlgEnterName dialog(&owner, kSmallDialogKind);
    dialog.SetValidateProc([](RDlgBase*, const char* name) -> u16 { return std::string(name) == "Taken" ? 1 : 0; });
    dialog.SetMessageId(7534);
    ASSERT_EQ(dialog.Open(0, "Taken"), 0);
    command(dialog, kDlgResultConfirm);
    settle();
    ASSERT_NE(dialog.Warning(), nullptr);
    EXPECT_EQ(dialog.Warning()->MessageId(), 7534);
    EXPECT_TRUE(owner.heard.empty());
    click(centreOf(dialog.Warning()->ButtonSet().Find(kDlgResultLeave)->GetSprite()));
    EXPECT_EQ(dialog.Warning(), nullptr);
    EXPECT_TRUE(owner.heard.empty());
    dialog.Field()->Field().SetText("Free");
    command(dialog, kDlgResultConfirm);
    settle();
    expectAnswer(dialog, kSmallDialogKind, kDlgResultConfirm);
    EXPECT_EQ(dialog.TypedName(), "Free");
}

TEST_F(SmallDialogs, TheSoundNameTakesEveryCharacterButStillNamesAFile) {
    RDlgEnterSnd dialog(&owner, kSmallDialogKind);
    ASSERT_EQ(dialog.Open(nullptr), 0);
    dialog.Field()->Field().SelectAll();
    typeKeys(dialog, "boing*");
    EXPECT_EQ(dialog.Field()->Text(), "boing*");
    EXPECT_TRUE(alerts().empty());
    dialog.HandleKey(testkeys::returnKey());
    settle();
    expectAnswer(dialog, kSmallDialogKind, kDlgResultConfirm);
    EXPECT_EQ(dialog.TypedName(), "boing*");
}

TEST_F(SmallDialogs, GettingStartedAnswersSixtyOneAndItsPlayButtonIsQuietWithoutMovies) {
    RGetStartDlg dialog(&owner);
    EXPECT_EQ(dialog.GetResult(), kDlgResultConfirm);
    ASSERT_EQ(dialog.Open(), 0);
    EXPECT_GE(dialog.PlayButtonIndex(), 0);
    command(dialog, kGetStartCmdPlay);
    settle();
    EXPECT_TRUE(owner.heard.empty());
    EXPECT_TRUE(alerts().empty());
    command(dialog, kDlgResultConfirm);
    settle();
    expectAnswer(dialog, kDlgKindGetStart, kDlgResultConfirm);
}

TEST_F(SmallDialogs, TheBackgroundColourIsPickedByChipOrMessageAndStoredOnlyOnOk) {
    RDocument document(nullptr);
    document.SetBackgroundColor(3);
    {
        RPickBgColorDlg dialog(&owner, kSmallDialogKind);
        ASSERT_EQ(dialog.Open(&document), 0);
        EXPECT_EQ(dialog.ColourIndex(), 3);
        settle();
        const Rect16 chip = RPickBgColorDlg::ChipRect(9);
        click({i16(chip.left + 4), i16(chip.top + 4)});
        EXPECT_EQ(dialog.ColourIndex(), 9);
        command(dialog, kMsgPickBgColor, 20);
        EXPECT_EQ(dialog.ColourIndex(), 20);
        command(dialog, kMsgPickBgColor, kBackgroundColorCount);
        EXPECT_EQ(dialog.ColourIndex(), 20);
        command(dialog, kDlgResultLeave);
        settle();
        expectAnswer(dialog, kSmallDialogKind, kDlgResultLeave);
        EXPECT_EQ(document.BackgroundColor(), 3);
    }
    owner.heard.clear();
    RPickBgColorDlg dialog(&owner, kSmallDialogKind);
    ASSERT_EQ(dialog.Open(&document), 0);
    command(dialog, kMsgPickBgColor, 12);
    dialog.HandleKey(testkeys::returnKey());
    settle();
    expectAnswer(dialog, kSmallDialogKind, kDlgResultConfirm);
    EXPECT_EQ(document.BackgroundColor(), 12);
}

}  // namespace
