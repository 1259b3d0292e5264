// The library panels as a child sees them in either language on the running program: the
// libraries listed under the language's names (the page's exclusions still naming the files),
// and the panel's mascot wearing the badge of the kind of things the panel holds.
#include <gtest/gtest.h>

#include "app/menus/MenuCommands.h"
#include "document/pages/RPage.h"
#include "document/storage/ObjectTypes.h"
#include "framework/language/LanguageTexts.h"
#include "panels/library/RLibPanel.h"
#include "screens/easel/EaselCommands.h"
#include "tests/screens/easel/EaselHarness.h"

namespace {

using namespace Ostrel;

class LibraryPanelLanguage : public testscreens::EaselHarness {
protected:
    void TearDown() override {
        if (mainWindow && CurrentLanguage() == kLanguageSpanish) mainWindow->OnCommand(kCmdSwitchLanguage);
        EaselHarness::TearDown();
    }
    RLibPanel* open(u32 toolbar) {
        for (const auto& b : easel->Buttons())
            if (b->GetRecord().clickMessage == toolbar) click(centreOf(b->GetSprite()));
        return dynamic_cast<RLibPanel*>(easel->CurrentPanel());
    }
    // The easel comes back in the other language.
    void speak(bool spanish) {
        if ((CurrentLanguage() == kLanguageSpanish) == spanish) return;
        mainWindow->OnCommand(kCmdSwitchLanguage);
        settle();
        easel = dynamic_cast<REasel*>(app->GetCurrentModule());
        ASSERT_NE(easel, nullptr);
    }
};

TEST_F(LibraryPanelLanguage, LibrariesAreListedUnderTheNamesOfTheLanguage) {
    struct Case {
        u32 toolbar;
        bool spanish;
        std::vector<std::string> names;
    };
    enterEasel();
    for (const Case& c : {Case{kEaselToolbarStickers, false, {"Animals", "Fun Things"}},
                          Case{kEaselToolbarStickers, true, {"Animales", "Cosas alegres"}},
                          Case{kEaselToolbarAnimations, true, {"Amigos animados"}},
                          Case{kEaselToolbarBackgrounds, true, {"Lugares"}},
                          Case{kEaselToolbarSounds, true, {"Sonidos alegres"}},
                          Case{kEaselToolbarBackgrounds, false, {"Places"}}}) {
        SCOPED_TRACE(std::to_string(c.toolbar) + (c.spanish ? " Spanish" : " English"));
        speak(c.spanish);
        RLibPanel* panel = open(c.toolbar);
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(panel->Libraries().names, c.names);
        EXPECT_EQ(panel->ShownPlace(), 0);
    }

    // The page's exclusions name the library's file, whatever the language shows.
    speak(true);
    RLibPanel* panel = open(kEaselToolbarStickers);
    ASSERT_NE(panel, nullptr);
    easel->CurrentPage()->Data().GetExclusions()->Add(kTypeFlash, "Animals");
    RMessage excluded(kMsgLibraryExclusionsChanged, 0, 0);
    panel->HandleMessage(&excluded, 0);
    EXPECT_EQ(panel->Libraries().names, std::vector<std::string>{"Cosas alegres"});
}

TEST_F(LibraryPanelLanguage, TheMascotWearsTheBadgeOfWhatThePanelHolds) {
    struct Case {
        u32 toolbar;
        u16 shape;
    };
    enterEasel();
    std::vector<u64> badges;
    for (const Case& c : {Case{kEaselToolbarStickers, kLibStickersShape}, Case{kEaselToolbarAnimations, kLibAnimationsShape},
                          Case{kEaselToolbarBackgrounds, kLibPicturesShape}}) {
        SCOPED_TRACE(c.toolbar);
        ASSERT_NE(open(c.toolbar), nullptr);
        Rect16 parts[kSprMaxParts];
        ASSERT_EQ(sprGetShapePartRects(c.shape, parts), 1);
        const Rect16 mascot = parts[0];
        const Point16 badge{i16(mascot.right - 12), i16(mascot.bottom - 12)};
        const SprSprite* shown = sprFindAtPoint(badge, 0xFFFFFF, 1, 0, 0);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->shape, c.shape);
        badges.push_back(PictureHash({i16(mascot.right - 24), i16(mascot.bottom - 24), mascot.right, mascot.bottom}));
    }
    // Each kind shows its own badge.
    EXPECT_NE(badges[0], badges[1]);
    EXPECT_NE(badges[1], badges[2]);
    EXPECT_NE(badges[0], badges[2]);
}

}  // namespace
