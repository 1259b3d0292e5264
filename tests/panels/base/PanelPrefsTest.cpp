// A panel's words go to its section of the user's "user.ini" as keys "0", "1", ... and come
// back; what was never stored reads -1, what is not a number 0; without a user nothing is
// written and everything reads -1.
#include "panels/base/RPanelPrefsTmpl.h"

#include <gtest/gtest.h>

#include "document/users/UserNames.h"
#include "tests/document/DocumentFolderFixture.h"

namespace {

using namespace Ostrel;
using PanelWords = testdoc::DocumentFolderFixture;

TEST_F(PanelWords, SavingWritesEveryKeyOfTheRecordUnderItsSection) {
    Paths paths(roots());
    ASSERT_EQ(paths.SelectUserFolder("Ann"), kErrNone);
    RPanelPrefsTmpl<tFillPanelSaveData> fill(paths, kFillPanelSection);
    fill.GetData() = {1, 4, 2, 7};
    ASSERT_EQ(fill.Save(), kErrNone);
    RPanelPrefsTmpl<tPencilPanelSaveData> pencil(paths, kPencilPanelSection);
    pencil.GetData() = {0, -1, 18458};
    ASSERT_EQ(pencil.Save(), kErrNone);
    EXPECT_EQ(read("data/tumblo4/Users/Ann/user.ini"),
              "[FillPanel]\r\n0=1\r\n1=4\r\n2=2\r\n3=7\r\n\r\n[PencilPanel]\r\n0=0\r\n1=-1\r\n2=18458\r\n");
}

TEST_F(PanelWords, SavedWordsComeBackForTheSameUserOnly) {
    Paths paths(roots());
    ASSERT_EQ(paths.SelectUserFolder("Ann"), kErrNone);
    RPanelPrefsTmpl<tRealMediaSaveData> ann(paths, kRealMediaPanelSection);
    ann.GetData() = {2, 0, 18004, 18005, 18008, 1, 2, 3, 4, 5, -32768};
    ASSERT_EQ(ann.Save(), kErrNone);
    RPanelPrefsTmpl<tRealMediaSaveData> again(paths, kRealMediaPanelSection);
    EXPECT_EQ(again.GetData(), ann.GetData());

    ASSERT_EQ(paths.SelectUserFolder("Bo"), kErrNone);
    RPanelPrefsTmpl<tRealMediaSaveData> bo(paths, kRealMediaPanelSection);
    tRealMediaSaveData unset;
    unset.fill(-1);
    EXPECT_EQ(bo.GetData(), unset);
}

TEST_F(PanelWords, StoredTextsReadAsTheirLeadingNumber) {
    Paths paths(roots());
    ASSERT_EQ(paths.SelectUserFolder("Ann"), kErrNone);
    write("data/tumblo4/Users/Ann/user.ini", "[EraserPanel]\r\n0=abc\r\n1=-5\r\n2=12x\r\n");
    RPanelPrefsTmpl<tEraserSaveData> eraser(paths, kEraserPanelSection);
    EXPECT_EQ(eraser.GetData(), (tEraserSaveData{0, -5, 12, -1}));
}

TEST_F(PanelWords, ValuesPastSixteenBitsKeepTheirLowWord) {
    struct Case {
        const char* text;
        i16 word;
    };
    const Case cases[] = {{"32767", 32767}, {"32768", -32768}, {"65535", -1}, {"65536", 0}, {"-32768", -32768}};
    Paths paths(roots());
    ASSERT_EQ(paths.SelectUserFolder("Ann"), kErrNone);
    for (const Case& c : cases) {
        write("data/tumblo4/Users/Ann/user.ini", std::string("[CutPanel]\r\n0=") + c.text + "\r\n");
        iniShutdown();
        ASSERT_EQ(iniInit(), kErrNone);
        RPanelPrefsTmpl<tCutMoveSaveData> cut(paths, kCutPanelSection);
        EXPECT_EQ(cut.GetData()[0], c.word) << c.text;
    }
}

TEST_F(PanelWords, WithoutAUserNothingIsWrittenAndEveryWordReadsUnset) {
    Paths paths(roots());
    RPanelPrefsTmpl<tMixerSaveData> mixer(paths, kMixerPanelSection);
    EXPECT_EQ(mixer.GetData(), (tMixerSaveData{-1, -1, -1, -1}));
    mixer.GetData() = {1, 2, 3, 4};
    EXPECT_EQ(mixer.Save(), kDocErrNoUser);
    EXPECT_EQ(mixer.Load(), kDocErrNoUser);
    EXPECT_EQ(mixer.GetData(), (tMixerSaveData{-1, -1, -1, -1}));
}

}  // namespace
