#include "app/dialogs/RLibPrefsDialog.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/application/RApplication.h"
#include "document/library/RLibraryMgr.h"
#include "document/objects/RLibExclusionsObject.h"
#include "document/pages/RPageData.h"
#include "document/storage/LibraryHeader.h"
#include "document/storage/ObjectTypes.h"
#include "document/users/EnginePath.h"
#include "framework/language/LanguageTexts.h"
#include "framework/messaging/RSender.h"
#include "tests/app/harness/ScreenHarness.h"

namespace {

using namespace Ostrel;

class LibraryChoices : public testapp::ScreenHarness {
protected:
    void SetUp() override {
        ScreenHarness::SetUp();
        startLoggedIn();
        ASSERT_NE(app->GetPaths(), nullptr);
        libraries = std::make_unique<RLibraryMgr>(*app->GetPaths());
        // Beside the installed "Places": one of the user's own, named past its first dot.
        makeUserLibrary(kTypeBitmap, "Park.v2.tbl");
        // The stamp panel never shows the user's own stamp libraries, so neither does the dialog.
        makeUserLibrary(kTypeStamp, "My Stamps.tbl");
        exclusions = page.GetExclusions();
        ASSERT_NE(exclusions, nullptr);
    }
    void makeUserLibrary(FourCC type, const std::string& file) {
        EnginePath path(libraries->FolderOf(type, kLibraryOfUser) + "\\" + file);
        ASSERT_FALSE(path.empty());
        RLibrary library;
        ASSERT_EQ(library.Create(path.get(), type, kLibraryFlagThumbnails), kErrNone) << file;
    }
    std::unique_ptr<RLibPrefsDialog> open() {
        auto dialog = std::make_unique<RLibPrefsDialog>(mainWindow, *exclusions, *libraries, &poster, &panel);
        EXPECT_EQ(dialog->LoadError(), kErrNone);
        dialog->Setup();
        return dialog;
    }
    static void use(RLibPrefsDialog& dialog, u16 item) { dialog.OnCommand(item, kDlgNotifyClicked, 0); }
    // The child picks entry `entry` (from 1) of a list.
    static void pick(RLibPrefsDialog& dialog, u16 list, u16 entry) {
        dialog.ListSelect(list, entry);
        dialog.OnCommand(list, kDlgNotifyListSelection, 0);
    }
    static std::vector<std::string> entries(const RLibPrefsDialog& dialog, u16 list) {
        std::vector<std::string> out;
        for (u16 i = 1; i <= dialog.ListCount(list); ++i) out.push_back(dialog.ListText(list, i));
        return out;
    }
    // Keys for the dialog while it runs, delivered by its own loop.
    void scriptKey(u8 virtualKey) {
        for (auto kind : {plat::InputEvent::Kind::KeyDown, plat::InputEvent::Kind::KeyUp}) {
            plat::InputEvent event;
            event.kind = kind;
            event.virtualKey = virtualKey;
            display_.script(mainWindow->GetHandle(), event);
        }
    }

    std::unique_ptr<RLibraryMgr> libraries;
    RPageData page;
    RLibExclusionsObject* exclusions = nullptr;
    RSender poster{fourCC("TEST")};
    testapp::RecordingOwner panel;
};

using Strings = std::vector<std::string>;

TEST_F(LibraryChoices, OpensOnTheBackgroundsWithEveryLibraryShownAndNothingToMove) {
    exclusions->Add(kTypeFlash, "Animals");
    auto dialog = open();
    EXPECT_EQ(dialog->GetItemText(kLibPrefsText1), "Choose which libraries children see on this page.");
    EXPECT_EQ(dialog->GetItemText(kLibPrefsStickers), "Stickers");
    EXPECT_TRUE(dialog->IsChecked(kLibPrefsBackgrounds));
    EXPECT_EQ(dialog->CurrentType(), kTypeBitmap);
    EXPECT_EQ(dialog->GetFocus(), kLibPrefsBackgrounds);
    EXPECT_EQ(entries(*dialog, kLibPrefsShownList), (Strings{"Places", "Park"}));
    EXPECT_TRUE(entries(*dialog, kLibPrefsNotShownList).empty());
    EXPECT_FALSE(dialog->IsItemEnabled(kLibPrefsMove));
    EXPECT_FALSE(dialog->IsItemEnabled(kLibPrefsMoveAll));
    EXPECT_EQ(dialog->GetItemText(kLibPrefsMove), "<- Move ->");
    EXPECT_EQ(dialog->GetItemText(kLibPrefsMoveAll), "<< Move all >>");
    // Each kind lists its own libraries, split by what the page hides.
    struct Case {
        u16 kind;
        Strings shown, hidden;
    };
    const Case cases[] = {{kLibPrefsStickers, {"Fun Things"}, {"Animals"}},
                          {kLibPrefsAnimations, {"Moving Friends"}, {}},
                          {kLibPrefsSounds, {"Fun Sounds"}, {}},
                          {kLibPrefsStamps, {"Animal Stamps", "Nature Stamps", "Yummy Stamps"}, {}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        use(*dialog, c.kind);
        for (u16 kind : {kLibPrefsBackgrounds, kLibPrefsAnimations, kLibPrefsStickers, kLibPrefsSounds, kLibPrefsStamps})
            EXPECT_EQ(dialog->IsChecked(kind), kind == c.kind);
        Strings shown = entries(*dialog, kLibPrefsShownList);
        std::sort(shown.begin(), shown.end());
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(entries(*dialog, kLibPrefsNotShownList), c.hidden);
    }
}

TEST_F(LibraryChoices, MoveCarriesTheSelectedLibraryEitherWayAndNothingWithoutASelection) {
    auto dialog = open();
    use(*dialog, kLibPrefsMove);
    EXPECT_EQ(entries(*dialog, kLibPrefsShownList), (Strings{"Places", "Park"}));
    EXPECT_TRUE(exclusions->Keys().empty());

    pick(*dialog, kLibPrefsShownList, 2);
    EXPECT_TRUE(dialog->IsItemEnabled(kLibPrefsMove));
    EXPECT_EQ(dialog->GetItemText(kLibPrefsMove), "<- Move");
    EXPECT_EQ(dialog->GetItemText(kLibPrefsMoveAll), "<< Move all");
    use(*dialog, kLibPrefsMove);
    EXPECT_EQ(entries(*dialog, kLibPrefsShownList), (Strings{"Places"}));
    EXPECT_EQ(entries(*dialog, kLibPrefsNotShownList), (Strings{"Park"}));
    EXPECT_TRUE(exclusions->IsExcluded(kTypeBitmap, "park"));
    EXPECT_FALSE(dialog->IsItemEnabled(kLibPrefsMove));

    // A selection in one list clears the other's, and says which way Move goes.
    pick(*dialog, kLibPrefsShownList, 1);
    pick(*dialog, kLibPrefsNotShownList, 1);
    EXPECT_EQ(dialog->ListSelected(kLibPrefsShownList), 0);
    EXPECT_EQ(dialog->GetItemText(kLibPrefsMove), "Move ->");
    EXPECT_EQ(dialog->GetItemText(kLibPrefsMoveAll), "Move all >>");
    use(*dialog, kLibPrefsMove);
    EXPECT_EQ(entries(*dialog, kLibPrefsShownList), (Strings{"Places", "Park"}));
    EXPECT_TRUE(exclusions->Keys().empty());
}

// In Spanish the libraries show by their Spanish names, and the page still hides them by their own.
TEST_F(LibraryChoices, InSpanishTheLibrariesShowTheirSpanishNames) {
    SetCurrentLanguage(kLanguageSpanish);
    auto dialog = open();
    EXPECT_EQ(entries(*dialog, kLibPrefsShownList), (Strings{"Lugares", "Park"}));
    pick(*dialog, kLibPrefsShownList, 1);
    use(*dialog, kLibPrefsMove);
    EXPECT_EQ(entries(*dialog, kLibPrefsNotShownList), (Strings{"Lugares"}));
    EXPECT_TRUE(exclusions->IsExcluded(kTypeBitmap, "Places"));
    use(*dialog, kLibPrefsStamps);
    const Strings stamps = entries(*dialog, kLibPrefsShownList);
    EXPECT_EQ(std::count(stamps.begin(), stamps.end(), "Sellos de animales"), 1);
    SetCurrentLanguage(kLanguageEnglish);
}

TEST_F(LibraryChoices, MoveAllHidesTheWholeKindAndBringsItBackWithoutTouchingOtherKinds) {
    exclusions->Add(kTypeSound, "Fun Sounds");
    auto dialog = open();
    pick(*dialog, kLibPrefsShownList, 1);
    use(*dialog, kLibPrefsMoveAll);
    EXPECT_TRUE(entries(*dialog, kLibPrefsShownList).empty());
    EXPECT_EQ(entries(*dialog, kLibPrefsNotShownList), (Strings{"Places", "Park"}));
    EXPECT_TRUE(exclusions->IsExcluded(kTypeBitmap, "Places"));
    EXPECT_TRUE(exclusions->IsExcluded(kTypeBitmap, "Park"));

    pick(*dialog, kLibPrefsNotShownList, 2);
    use(*dialog, kLibPrefsMoveAll);
    EXPECT_EQ(entries(*dialog, kLibPrefsShownList), (Strings{"Places", "Park"}));
    EXPECT_TRUE(entries(*dialog, kLibPrefsNotShownList).empty());
    EXPECT_EQ(exclusions->Keys().size(), 1u);
    EXPECT_TRUE(exclusions->IsExcluded(kTypeSound, "Fun Sounds"));
}

TEST_F(LibraryChoices, TheKindAlreadyChosenAloneIsNotFilledAgain) {
    auto dialog = open();
    dialog->ListInsert(kLibPrefsShownList, kDlgListEnd, "marker");
    use(*dialog, kLibPrefsBackgrounds);
    EXPECT_EQ(dialog->ListCount(kLibPrefsShownList), 3);
    // Two kinds checked at once: choosing one of them fills its lists afresh.
    dialog->SetCheck(kLibPrefsSounds, true);
    use(*dialog, kLibPrefsBackgrounds);
    EXPECT_EQ(entries(*dialog, kLibPrefsShownList), (Strings{"Places", "Park"}));
    EXPECT_FALSE(dialog->IsChecked(kLibPrefsSounds));
}

TEST_F(LibraryChoices, OkKeepsTheChoiceAndTellsThePanelCancelPutsItBack) {
    {
        auto dialog = open();
        pick(*dialog, kLibPrefsShownList, 1);
        use(*dialog, kLibPrefsMove);
        use(*dialog, kLibPrefsOk);
        EXPECT_EQ(dialog->GetResult(), kLibPrefsOkResult);
    }
    settle();
    EXPECT_EQ(panel.codes(), std::vector<u32>{kMsgReloadLibraries});
    EXPECT_TRUE(exclusions->IsExcluded(kTypeBitmap, "Places"));
    panel.heard.clear();
    {
        auto dialog = open();
        pick(*dialog, kLibPrefsNotShownList, 1);
        use(*dialog, kLibPrefsMoveAll);
        EXPECT_TRUE(exclusions->Keys().empty());
        dialog->OnCommand(kLibPrefsCancel, kDlgNotifyKey, ' ');
        EXPECT_EQ(dialog->GetResult(), kLibPrefsCancelResult);
    }
    settle();
    EXPECT_TRUE(panel.heard.empty());
    EXPECT_TRUE(exclusions->IsExcluded(kTypeBitmap, "Places"));
}

TEST_F(LibraryChoices, RunKeepsWhatOkTookAndMarksThePageChanged) {
    page.SetDirtyState(false);
    // Through the dialog's own keys: six Tabs reach the shown list, Down picks "Places",
    // two Tabs reach Move all, Space moves both; Move all goes grey and the focus moves on to
    // OK, which Space uses.
    for (int i = 0; i < 6; ++i) scriptKey(0x09);
    scriptKey(0x28);
    scriptKey(0x09);
    scriptKey(0x09);
    scriptKey(0x20);
    scriptKey(0x20);
    EXPECT_EQ(RLibPrefsDialog::Run(mainWindow, page, *libraries, &poster, &panel), kLibPrefsOkResult);
    EXPECT_TRUE(exclusions->IsExcluded(kTypeBitmap, "Places"));
    EXPECT_TRUE(exclusions->IsExcluded(kTypeBitmap, "Park"));
    EXPECT_TRUE(exclusions->changed);
    EXPECT_TRUE(page.IsDirty());
    settle();
    EXPECT_EQ(panel.codes(), std::vector<u32>{kMsgReloadLibraries});
}

TEST_F(LibraryChoices, RunClosedWithoutOkLeavesThePageAsItWas) {
    page.SetDirtyState(false);
    for (int i = 0; i < 6; ++i) scriptKey(0x09);
    scriptKey(0x28);
    scriptKey(0x09);
    scriptKey(0x09);
    scriptKey(0x20);
    scriptKey(0x1B);
    EXPECT_EQ(RLibPrefsDialog::Run(mainWindow, page, *libraries, &poster, &panel), kLibPrefsCancelResult);
    EXPECT_TRUE(exclusions->Keys().empty());
    EXPECT_FALSE(page.IsDirty());
    // A page that had no choices yet is not changed by looking at them.
    RPageData untouched;
    untouched.SetDirtyState(false);
    scriptKey(0x1B);
    RLibPrefsDialog::Run(mainWindow, untouched, *libraries, &poster, &panel);
    EXPECT_FALSE(untouched.IsDirty());
    settle();
    EXPECT_TRUE(panel.heard.empty());
}

}  // namespace
