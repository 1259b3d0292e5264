// Pages saved to real files: the first save makes the file, a later one replaces it whole,
// and no replacement is left beside it.
#include <gtest/gtest.h>

#include "document/pages/RPageData.h"
#include "tests/document/DocumentFolderFixture.h"
#include "tests/document/pages/PageSamples.h"

namespace {

using namespace Ostrel;
using PageFile = testdoc::DocumentFolderFixture;

TEST_F(PageFile, SavedTwiceThenReopened) {
    EnginePath path(engineTextOfHostFolder(root_) + "\\Cat.tbx");
    ASSERT_FALSE(path.empty());
    RPageData page;
    page.AddObject(kTypeText, 1, testdoc::textBytes("first"), {0, 0, 5, 5});
    ASSERT_EQ(page.SaveToFile(path.get()), kErrNone);
    testdoc::fillWithEveryKind(page);
    ASSERT_EQ(page.SaveToFile(path.get()), kErrNone);
    EXPECT_FALSE(page.IsDirty());

    RPageData back;
    ASSERT_EQ(back.OpenAndLoad(path.get()), kErrNone);
    EXPECT_EQ(testdoc::contentOf(back), testdoc::contentOf(page));
    EXPECT_FALSE(std::filesystem::exists(root_ + "/Cat.tbx.tmp"));
}

TEST_F(PageFile, FailedFirstSaveLeavesNoFile) {
    EnginePath path(engineTextOfHostFolder(root_) + "\\New.tbx");
    RPageData page;
    page.AddObject(kTypeText, 1, testdoc::textBytes("x"), {});
    EXPECT_NE(page.SaveToFile(path.get(), [] { return false; }), kErrNone);
    EXPECT_TRUE(page.IsDirty());
    EXPECT_FALSE(std::filesystem::exists(root_ + "/New.tbx"));
    EXPECT_FALSE(std::filesystem::exists(root_ + "/New.tbx.tmp"));
}

}  // namespace
