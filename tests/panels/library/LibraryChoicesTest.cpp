// The library panel's remembered words, whatever "user.ini" holds; what a strip item stands
// for; and the rate of each place of the audio panel's speed knob.
#include "panels/library/LibraryChoices.h"

#include <gtest/gtest.h>

#include "panels/audio/TakeSpeed.h"

namespace {

using namespace Ostrel;

tLibSaveData record(i16 chosen, u16 library = 0, i16 page = 0) {
    tLibSaveData r{};
    r.fill(0);
    r[kLibWordChosen] = chosen;
    if (library < kLibRememberedPages) r[kLibWordFirstPage + library] = page;
    return r;
}

TEST(LibraryPrefs, RestoreFindsTheLibraryByNumberAndKeepsPagesInRange) {
    // Library 1 is excluded: the list shows libraries 0, 2 and 3 at places 0, 1 and 2.
    const std::vector<u16> ids = {0, 2, 3};
    struct Case {
        const char* what;
        tLibSaveData stored;
        int place;
        int page;  // of the stored library, in a strip of 4 pages
    };
    tLibSaveData never{};
    never.fill(kPrefsNotStored);
    const Case cases[] = {
        {"never stored", never, 0, 0},
        {"by number, not by place", record(2, 2, 3), 1, 3},
        {"the last listed", record(3, 3, 0), 2, 0},
        {"excluded since", record(1, 1, 2), 0, 2},
        {"unknown library", record(75, 75, 1), 0, 0},
        {"negative library", record(-7), 0, 0},
        {"page past the strip", record(2, 2, 4), 1, 0},
        {"negative page", record(2, 2, -1), 1, 0},
        {"last page", record(0, 0, 3), 0, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const tLibSaveData loaded = NormaliseLibRecord(c.stored);
        EXPECT_EQ(RememberedLibraryPlace(loaded, ids), c.place);
        EXPECT_EQ(RememberedPage(loaded, u16(std::max<i16>(0, loaded[kLibWordChosen])), 4), c.page);
    }
}

TEST(LibraryPrefs, PagesAreRememberedOnlyForLibrariesWithAWord) {
    tLibSaveData r = record(0);
    RememberPage(r, kLibRememberedPages - 1, 5);
    RememberPage(r, kLibRememberedPages, 6);
    RememberPage(r, 0, -2);
    EXPECT_EQ(r.back(), 5);
    EXPECT_EQ(RememberedPage(r, kLibRememberedPages, 10), 0);
    EXPECT_EQ(r[kLibWordFirstPage], 0);
}

TEST(LibraryStrip, EachItemKeepsItsOwnEntry) {
    // Entries 2 and 4 of five had no thumbnail and are not in the strip.
    const std::vector<StripEntry> strip = {{1, {}}, {3, {}}, {5, {}}};
    const std::pair<int, u16> cases[] = {{0, 1}, {1, 3}, {2, 5}, {3, 0}, {-1, 0}};
    for (const auto& [item, entry] : cases) EXPECT_EQ(EntryOfStripItem(strip, item), entry) << item;
    EXPECT_EQ(LibraryShownName("Fun.Things.tbl"), "Fun");
    EXPECT_EQ(LibraryShownName("Places"), "Places");
}

TEST(TakeSpeed, TheKnobSpansBothHalvesAndIsNormalElsewhere) {
    const i32 o = 300;
    const std::pair<i32, u32> cases[] = {
        {o - 1, kNormalRate}, {o, 20480},           {o + 34, 50 * 1280},     {o + 35, kNormalRate},
        {o + 36, 33 * 2048},  {o + 70, 137216},     {o + 71, kNormalRate},
    };
    for (const auto& [position, rate] : cases) EXPECT_EQ(PlaybackRateAt(position, o), rate) << position - o;
}

}  // namespace
