// The stamp panel over stamp libraries of its own: the categories with the teacher's
// exclusions, a stamp saved for the user and read back by the next panel, the remembered
// choices, and a library that cannot be opened.
#include "panels/stamp/RStampPanel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "document/users/EnginePath.h"
#include "engine/gfx/GfxPalette.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "framework/language/LanguageTexts.h"
#include "panels/base/RPanelPrefsTmpl.h"
#include "platform/clock/Clock.h"
#include "tests/engine/gfx/sprites/WithSpriteScreen.h"
#include "tests/framework/messaging/MessagingFixtures.h"
#include "tests/panels/PanelFixture.h"

namespace {

using namespace Ostrel;

class StampPanel : public testpanels::PanelFixture {
protected:
    void SetUp() override {
        PanelFixture::SetUp();
        ASSERT_EQ(paths->SelectUserFolder("Ann"), kErrNone);
        libraries = std::make_unique<RLibraryMgr>(*paths);
        // The installed libraries are used only when the settings say so; else the disc's.
        std::filesystem::create_directories(host(paths->BuildPath(kFolderGuide, false)));
        const std::string guide = host(paths->BuildPath(kFolderGuide, false));
        std::ofstream(guide + "/TB.ini") << "[TOC]\r\nNoLibsFromCD=TRUE\r\n[LanguageFiles]\r\nEnglish=En.ini\r\nSpanish=Es.ini\r\n";
        std::ofstream(guide + "/Es.ini") << "[StampCategories]\r\nCars=Coches\r\nBirds=P\xE1jaros\r\n";
        SetupLanguageFolders(EnginePath(paths->BuildPath(kFolderGuide, false)).get(), "TB.ini");
        folder = host(paths->GetLibraryFolderPath(kStampLibraryType));
        std::filesystem::create_directories(folder);
        library("Birds.tbl", 3);
        library("Cars.tbl", 2);
        library("Dots.tbl", 4);
    }
    void TearDown() override {
        SetCurrentLanguage(kLanguageEnglish);
        Path none{};
        SetupLanguageFolders(&none, "TB.ini");
        PanelFixture::TearDown();
    }
    std::vector<testres::ResContent> contents() const override {
        return {{fourCC("MBTN"), kStampButtonSet, testpanels::buttonSet({{18702, 3, 0, 0, 10}, {18700, 2, 0, 0, 50}})},
                {fourCC("MBTN"), kStampSizeButtonSet, testpanels::buttonSet({{18261, 4, 18200, 2, 90}})}};
    }
    // A library of `count` stamps, stamp i a 4 x 4 square of colour i + 1.
    void library(const std::string& name, int count) {
        EnginePath file(paths->GetLibraryFolderPath(kStampLibraryType) + "\\" + name);
        ASSERT_EQ(resCreateFile(file.get()), kErrNone);
        const ResMapHandle map = resOpenFile(file.get(), 0, 1);
        ASSERT_NE(map, 0);
        const ResMapHandle previous = resUseFile(map);
        for (int i = 0; i < count; ++i) {
            StampGrid grid = BlankStamp(4, 4);
            ReplaceStampColour(grid, u16(i + 1), -1);
            const std::vector<u8> bytes = BitmapFromStamp(grid);
            const ResourceRef ref = resAddResource(kStampPictureType, u16(kFirstStampId + i), nullptr);
            resWriteResource(ref, bytes.data(), u32(bytes.size()), 0);
        }
        resUseFile(previous);
        ASSERT_EQ(resUpdateFile(map), kErrNone);
        resCloseFile(map, 0, 1);
    }
    std::unique_ptr<RStampPanel> open(const RLibExclusionsObject* exclusions = nullptr) {
        auto panel = std::make_unique<RStampPanel>(&owner, paths.get(), libraries.get(), [exclusions] { return exclusions; });
        Attach(*panel);
        panel->Init();
        Deliver();
        return panel;
    }
    static u16 stripColour(RStampPanel& panel, int item) {
        StampGrid grid;
        const ScrollerPicture* picture = panel.GetScroller()->GetItem(item);
        return picture && StampFromBitmap(*picture, &grid) == kErrNone ? grid.At(0, 0) : 0xFFFF;
    }
    void send(RStampPanel& panel, u32 code, uintptr_t param1, u16 param2) {
        RMessage m(code, param1, param2);
        panel.HandleMessage(&m, 0);
        Deliver();
    }

    std::string folder;
    std::unique_ptr<RLibraryMgr> libraries;
    fwtest::Log log;
    fwtest::Recorder owner{log, "owner"};
};

TEST_F(StampPanel, ExcludedLibrariesKeepTheirNumbersAndChoicesComeBackByLibrary) {
    RLibExclusionsObject exclusions(1);
    exclusions.Add(kStampLibraryType, "Birds");
    {
        auto panel = open(&exclusions);
        ASSERT_EQ(panel->Categories().names, (std::vector<std::string>{"Cars", "Dots"}));
        EXPECT_EQ(panel->Categories().ids, (std::vector<u16>{1, 2}));
        EXPECT_EQ(panel->CategoryId(), 1) << "the first shown";
        ASSERT_EQ(panel->GetScroller()->GetCount(), 2);
        send(*panel, kMsgStampCategory, 0, 1);
        EXPECT_EQ(panel->CategoryId(), 2);
        ASSERT_EQ(panel->GetScroller()->GetCount(), 4);
        send(*panel, kMsgScrollerHit, reinterpret_cast<uintptr_t>(panel->GetScroller()), 3);
        EXPECT_EQ(panel->CurrentStamp(), 3);
        EXPECT_TRUE(panel->StampTool()->HasPicture());
        send(*panel, kMsgStampSize, kStampSizeButtonFirst + 2, 0);
        EXPECT_EQ(panel->SizeIndex(), 2);
        EXPECT_EQ(panel->StampTool()->GetSizeIndex(), 2);
    }
    // Without the exclusion the popup places move; the category is found by its library id.
    auto panel = open();
    EXPECT_EQ(panel->Categories().names.size(), 3u);
    EXPECT_EQ(panel->CategoryId(), 2);
    EXPECT_EQ(panel->Popup()->GetValue(), 2);
    EXPECT_EQ(panel->CurrentStamp(), 3);
    EXPECT_EQ(panel->SizeIndex(), 2);
    EXPECT_EQ(mgr.GetCurrentTool(), panel->StampTool());
}

// A stored record comes back whole, the first category's as much as any other's.
TEST_F(StampPanel, StoredChoicesComeBack) {
    struct Case {
        tStampPanelSaveData stored;
        i16 category, size;
        int stamp;
    };
    for (const Case& c : {Case{{0, 2, 1}, 0, 2, 1}, Case{{2, 3, 0, 0, 3}, 2, 3, 3}, Case{{1, 0, 0, 1}, 1, 0, 1}}) {
        {
            RPanelPrefsTmpl<tStampPanelSaveData> prefs(*paths, kStampPanelSection);
            prefs.GetData() = c.stored;
            ASSERT_EQ(prefs.Save(), kErrNone);
        }
        auto panel = open();
        EXPECT_EQ(panel->CategoryId(), c.category) << c.category;
        EXPECT_EQ(panel->SizeIndex(), c.size) << c.category;
        EXPECT_EQ(panel->StampTool()->GetSizeIndex(), c.size) << c.category;
        EXPECT_EQ(panel->CurrentStamp(), c.stamp) << c.category;
    }
}

TEST_F(StampPanel, RecordsOutOfRangeFallBackWithoutHarm) {
    for (const tStampPanelSaveData& stored : {tStampPanelSaveData{40, 9}, tStampPanelSaveData{2, -3, 0, 0, 99}}) {
        {
            RPanelPrefsTmpl<tStampPanelSaveData> prefs(*paths, kStampPanelSection);
            prefs.GetData() = stored;
            ASSERT_EQ(prefs.Save(), kErrNone);
        }
        auto panel = open();
        EXPECT_LT(size_t(panel->Popup()->GetValue()), panel->Categories().names.size());
        EXPECT_EQ(panel->SizeIndex(), 0);
        EXPECT_GE(panel->CurrentStamp(), 0);
        EXPECT_LT(panel->CurrentStamp(), panel->GetScroller()->GetCount());
    }
}

TEST_F(StampPanel, AnEditedStampIsTheUsersAndAnErasedOneGivesTheLibrarysBack) {
    auto panel = open();
    send(*panel, kMsgScrollerHit, reinterpret_cast<uintptr_t>(panel->GetScroller()), 1);
    ASSERT_EQ(stripColour(*panel, 1), 2);
    // What the editor would hand over: the stamp turned red.
    std::vector<u8> stored;
    ASSERT_TRUE(panel->StoredStampPicture(&stored));
    StampGrid before;
    ASSERT_EQ(StampFromBitmap(stored, &before), kErrNone);
    EXPECT_EQ(before.At(3, 3), 2) << "revert gets the stamp as the strip shows it";
    StampGrid red = BlankStamp(4, 4);
    ReplaceStampColour(red, 0x7C00, -1);
    panel->KeepStamp(red);
    EXPECT_EQ(stripColour(*panel, 1), 0x7C00);
    EXPECT_EQ(stripColour(*panel, 0), 1) << "the other stamps stay the library's";
    EXPECT_TRUE(std::filesystem::exists(host(panel->UserStampPath())));
    panel.reset();
    panel = open();
    EXPECT_EQ(stripColour(*panel, 1), 0x7C00) << "read back from the user's file";
    const auto bytes = [&] {
        std::ifstream file(host(panel->UserStampPath()), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    };
    const std::string kept = bytes();
    panel->KeepStamp(BlankStamp(4, 4));
    EXPECT_EQ(stripColour(*panel, 1), 2) << "an erased stamp removes the user's own";
    EXPECT_NE(bytes(), kept) << "at once, not only when the panel closes";
    panel.reset();
    panel = open();
    EXPECT_EQ(stripColour(*panel, 1), 2);
}

// Without a user the panel works from the libraries alone: an edited stamp is not kept and
// nothing chosen comes back for the next user's panel.
TEST_F(StampPanel, WithoutAUserNothingIsKept) {
    {
        auto panel = std::make_unique<RStampPanel>(&owner, nullptr, libraries.get(), nullptr);
        Attach(*panel);
        panel->Init();
        Deliver();
        ASSERT_EQ(panel->Categories().names.size(), 3u);
        send(*panel, kMsgStampCategory, 0, 2);
        send(*panel, kMsgScrollerHit, reinterpret_cast<uintptr_t>(panel->GetScroller()), 3);
        send(*panel, kMsgStampSize, kStampSizeButtonFirst + 2, 0);
        EXPECT_EQ(panel->CategoryId(), 2);
        EXPECT_EQ(panel->CurrentStamp(), 3);
        EXPECT_EQ(panel->SizeIndex(), 2);
        StampGrid red = BlankStamp(4, 4);
        ReplaceStampColour(red, 0x7C00, -1);
        panel->KeepStamp(red);
        EXPECT_EQ(stripColour(*panel, 3), 4);
    }
    auto panel = open();
    EXPECT_EQ(panel->CategoryId(), 0);
    EXPECT_EQ(panel->CurrentStamp(), 0);
    EXPECT_EQ(panel->SizeIndex(), 0);
}

// An edited stamp further along the strip keeps the strip where the child left it, with the
// stamp still chosen.
TEST_F(StampPanel, EditingAStampKeepsTheStripWhereItWas) {
    library("Animals.tbl", 30);
    auto panel = open();
    ASSERT_EQ(panel->Categories().names.front(), "Animals");
    RBitmapScroller* strip = panel->GetScroller();
    ASSERT_EQ(strip->GetCount(), 30);
    send(*panel, kMsgScrollerHit, reinterpret_cast<uintptr_t>(strip), 27);
    strip->ScrollIntoView(27);
    const int first = strip->GetFirstVisible();
    ASSERT_GT(first, 0);
    StampGrid red = BlankStamp(4, 4);
    ReplaceStampColour(red, 0x7C00, -1);
    panel->KeepStamp(red);
    EXPECT_EQ(stripColour(*panel, 27), 0x7C00);
    EXPECT_EQ(stripColour(*panel, 26), 27);
    EXPECT_EQ(strip->GetCount(), 30);
    EXPECT_EQ(strip->GetFirstVisible(), first);
    EXPECT_EQ(strip->GetSelected(), 27);
    EXPECT_EQ(panel->CurrentStamp(), 27);
}

TEST_F(StampPanel, WithoutTheProgramsDiscThereAreNoCategories) {
    std::ofstream(host(paths->BuildPath(kFolderGuide, false)) + "/Disc.ini") << "[TOC]\r\nNoLibsFromCD=FALSE\r\n";
    SetupLanguageFolders(EnginePath(paths->BuildPath(kFolderGuide, false)).get(), "Disc.ini");
    auto panel = open();
    EXPECT_TRUE(panel->Categories().names.empty());
    EXPECT_EQ(panel->CurrentStamp(), -1);
    send(*panel, kMsgStampCategoryPopup, 0, 0);
    send(*panel, kMsgStampNextCategory, 0, 0);
    EXPECT_EQ(panel->Editor(), nullptr);
}

TEST_F(StampPanel, ALibraryThatCannotBeOpenedLeavesNothingBehind) {
    auto panel = open();
    ASSERT_TRUE(panel->StampTool()->HasPicture());
    EXPECT_EQ(panel->OpenCategory(paths->GetLibraryFolderPath(kStampLibraryType) + "\\Gone.tbl"), 1);
    EXPECT_EQ(panel->GetScroller()->GetCount(), 0);
    EXPECT_EQ(panel->CurrentStamp(), -1);
    EXPECT_FALSE(panel->StampTool()->HasPicture());
    std::vector<u8> stored;
    EXPECT_FALSE(panel->StoredStampPicture(&stored)) << "the editor has no stamp to go back to";
    send(*panel, kMsgStampEdit, 0, 0);
    EXPECT_EQ(panel->Editor(), nullptr);
}

// The category names come from the current language's texts, keyed by the library's file
// name; the exclusions and the remembered category go on by the file name and library id.
TEST_F(StampPanel, CategoriesAreNamedInTheCurrentLanguage) {
    RLibExclusionsObject exclusions(1);
    exclusions.Add(kStampLibraryType, "Birds");
    struct Case {
        u16 language;
        std::vector<std::string> names;
    };
    for (const Case& c : {Case{kLanguageEnglish, {"Cars", "Dots"}}, Case{kLanguageSpanish, {"Coches", "Dots"}}}) {
        SetCurrentLanguage(c.language);
        auto panel = open(&exclusions);
        EXPECT_EQ(panel->Categories().names, c.names) << c.language;
        EXPECT_EQ(panel->Categories().ids, (std::vector<u16>{1, 2})) << c.language;
        EXPECT_EQ(panel->CategoryFile(), "Cars.tbl") << "the files keep their own names";
    }
}

// Choices that name no stamp, no size button or no category past the ends change nothing.
TEST_F(StampPanel, ChoicesPastTheirEndsChangeNothing) {
    auto panel = open();
    const uintptr_t strip = reinterpret_cast<uintptr_t>(panel->GetScroller());
    send(*panel, kMsgScrollerHit, strip, 1);
    ASSERT_EQ(panel->CurrentStamp(), 1);
    for (const u16 item : {u16(3), u16(40), u16(0xFFFF)}) {
        send(*panel, kMsgScrollerHit, strip, item);
        EXPECT_EQ(panel->CurrentStamp(), 1) << item;
    }
    // A press lays stamp 1 (its colour 2) and nothing else.
    Stroke({32, 32}, {32, 32});
    EXPECT_GT(PaintedPixels(), 0);
    EXPECT_EQ(std::count(picture.begin(), picture.end(), u16(2)), PaintedPixels());
    send(*panel, kMsgStampSize, kStampSizeButtonFirst + 1, 0);
    ASSERT_EQ(panel->SizeIndex(), 1);
    for (const i32 button : {kStampSizeButtonFirst - 1, kStampSizeButtonFirst + kStampSizeCount, 0}) {
        send(*panel, kMsgStampSize, uintptr_t(button), 0);
        EXPECT_EQ(panel->SizeIndex(), 1) << button;
    }
    struct Step {
        u32 message;
        int place;
    };
    // Three categories: previous stops at the first, next at the last.
    const Step steps[] = {{kMsgStampPreviousCategory, 0}, {kMsgStampNextCategory, 1}, {kMsgStampNextCategory, 2},
                          {kMsgStampNextCategory, 2},     {kMsgStampPreviousCategory, 1}, {kMsgStampPreviousCategory, 0},
                          {kMsgStampPreviousCategory, 0}};
    for (const Step& step : steps) {
        send(*panel, step.message, 0, 0);
        EXPECT_EQ(panel->Popup()->GetValue(), step.place) << step.message;
        EXPECT_EQ(panel->CategoryId(), panel->Categories().ids[size_t(step.place)]);
    }
}

// Erasing a stamp the child never changed leaves no file of the child's own behind.
TEST_F(StampPanel, ErasingALibraryStampWritesNothing) {
    auto panel = open();
    send(*panel, kMsgScrollerHit, reinterpret_cast<uintptr_t>(panel->GetScroller()), 2);
    panel->KeepStamp(BlankStamp(4, 4));
    EXPECT_FALSE(std::filesystem::exists(host(panel->UserStampPath())));
    EXPECT_EQ(stripColour(*panel, 2), 3);
}

// The category list stands on a sprite without a shape: through every update it keeps the
// list's rectangle, so a redraw of what lies behind it draws the list again.
class StampPanelOnScreen : public testspr::WithSpriteScreen<StampPanel> {
protected:
    void SetUp() override {
        StampPanel::SetUp();
        ASSERT_EQ(gfxInitPalettes(), kErrNone);
        ASSERT_NO_FATAL_FAILURE(openSpriteScreen({0, 0, 400, 300}, GfxColor::rgb(128, 128, 128)));
    }
    void TearDown() override {
        WithSpriteScreen::TearDown();
        gfxShutdownPalettes();
    }
    plat::ScopedFakeClock clock_{1000};
};

TEST_F(StampPanelOnScreen, TheCategoryListIsDrawnAgainWhenWhatIsBehindItIs) {
    auto panel = open();
    send(*panel, kMsgStampCategoryPopup, 0, 0);
    ASSERT_TRUE(panel->Popup()->IsOpen());
    const Rect16 row = panel->Popup()->GetRowRect(1);
    for (int update = 0; update < 3; ++update) {
        clock_.advance(100);
        sprInvalRect({0, 0, 400, 300});
        sprUpdateScreen(1);
        GfxColor c;
        window_->ReadPixel(&c, i16(row.right - 2), i16((row.top + row.bottom) / 2));
        EXPECT_GE(c.red + c.green + c.blue, 3 * 240) << "the row's white, update " << update;
    }
}

}  // namespace
